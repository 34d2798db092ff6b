' Runs the page as the browser does (its own last line handles the first
' case), then calls its OnContextMenu once for each further case.
Dim current, number
current = Arrange(0)
@PAGE_SCRIPT@
Verify current
number = 1
Do
    current = Arrange(number)
    If IsEmpty(current) Then Exit Do
    OnContextMenu
    Verify current
    number = number + 1
Loop
Summary
