' Stand-ins for the browser objects that the context-menu pages use, for
' running a page's own script text in cscript. Every visible effect (a
' navigation, a new window, an alert) is recorded as one line in the order
' it happened, so that a case compares what the user would have seen.

Dim actions, external, window, failures, cases

' The page's routines tell element kinds apart by TypeName. The script engine
' here names every instance of a script class "Object" and cannot name Nothing
' at all, so this TypeName, which takes the place of the built-in one, asks
' the stand-in for the browser's name of its kind.
Function TypeName(value)
    If Not IsObject(value) Then
        TypeName = "NotAnObject"
    ElseIf value Is Nothing Then
        TypeName = "Nothing"
    Else
        TypeName = value.kind
    End If
End Function

Sub Record(action)
    If actions = "" Then
        actions = action
    Else
        actions = actions & " ; " & action
    End If
End Sub

' The page's alert: the four lines of a message are shown joined by "|", so
' that any other line separator shows up as a difference.
Sub alert(text)
    Record "alert " & Replace(text, Chr(13), "|")
End Sub

' (Wine's engine takes one class member per Public statement.)

' A document's location. Assigning href navigates, which is recorded with the
' name of the window that was navigated ("top" or "frame").
Class FakeLocation
    Public kind
    Public name
    Public protocol
    Public host
    Private address

    Public Property Get href
        href = address
    End Property

    Public Property Let href(value)
        Record name & " -> " & value
    End Property

    ' Sets the address a page shows, with the parts the browser derives from it.
    Public Sub Show(value)
        Dim rest, slash
        address = value
        protocol = Left(value, InStr(value, ":"))
        host = ""
        If InStr(value, "//") > 0 Then
            rest = Mid(value, InStr(value, "//") + 2)
            slash = InStr(rest, "/")
            If slash > 0 Then rest = Left(rest, slash - 1)
            host = rest
        End If
    End Sub
End Class

Class FakeDocument
    Public kind
    Public location
    Public parentWindow
    Public pointX
    Public pointY
    Public elementAtPoint

    Public Function elementFromPoint(x, y)
        If x = pointX And y = pointY Then
            Set elementFromPoint = elementAtPoint
        Else
            Set elementFromPoint = Nothing
        End If
    End Function
End Class

' A browser window, or a frame in one. Reading top fails when the frame's
' top-level page comes from another site.
Class FakeWindow
    Public kind
    Public document
    Public event
    Public topWindow
    Public topUnreadable

    Public Property Get top
        If topUnreadable Then Err.Raise 70, "stand-in window", "Permission denied"
        Set top = topWindow
    End Property

    Public Function open(address, target)
        Record "open " & address & " " & target
        Set open = Nothing
    End Function
End Class

Class FakeEvent
    Public kind
    Public type
    Public srcElement
    Public clientX
    Public clientY
End Class

Class FakeElement
    Public kind
    Public href
    Public protocol
    Public src
    Public parentElement
End Class

Class FakeExternal
    Public kind
    Public menuArguments
End Class

Function NewWindow(address)
    Dim location, document
    Set location = New FakeLocation
    location.kind = "HTMLLocation"
    location.Show address
    Set document = New FakeDocument
    document.kind = "HTMLDocument"
    Set document.location = location
    Set document.elementAtPoint = Nothing
    Set NewWindow = New FakeWindow
    NewWindow.kind = "HTMLWindow2"
    NewWindow.topUnreadable = False
    Set NewWindow.document = document
    Set NewWindow.event = Nothing
    Set NewWindow.topWindow = NewWindow
    Set document.parentWindow = NewWindow
End Function

' A fresh browser whose context menu was opened on the page at address.
' When frameAddress is not empty, the menu was opened in a frame showing it,
' inside the top-level page at address; readable says whether the frame may
' read its top-level page.
Sub OpenMenu(address, frameAddress, readable)
    Dim topWindow, frame
    actions = ""
    Set topWindow = NewWindow(address)
    topWindow.document.location.name = "top"
    If frameAddress = "" Then
        Set frame = topWindow
    Else
        Set frame = NewWindow(frameAddress)
        frame.document.location.name = "frame"
        Set frame.topWindow = topWindow
        frame.topUnreadable = Not readable
    End If
    Set external = New FakeExternal
    external.kind = "External"
    Set external.menuArguments = frame
    Set window = NewWindow("about:blank")
End Sub

Function Element(kind, link, parent)
    Set Element = New FakeElement
    Element.kind = kind
    Element.href = link
    Element.protocol = Left(link, InStr(link, ":"))
    Element.src = link
    Set Element.parentElement = parent
End Function

' Sets the event that opened the menu on the current page.
Sub MenuEvent(eventType, source)
    Dim ev
    Set ev = New FakeEvent
    ev.kind = "IHTMLEventObj"
    ev.type = eventType
    Set ev.srcElement = source
    ev.clientX = 12
    ev.clientY = 34
    Set external.menuArguments.event = ev
End Sub

' The element the page finds under the mouse when the event names none.
Sub UnderMouse(target)
    external.menuArguments.document.pointX = 12
    external.menuArguments.document.pointY = 34
    Set external.menuArguments.document.elementAtPoint = target
End Sub

Sub Verify(which)
    cases = cases + 1
    If actions <> which(1) Then
        failures = failures + 1
        WScript.Echo "FAIL " & which(0)
        WScript.Echo "  expected: " & which(1)
        WScript.Echo "  actual:   " & actions
    End If
End Sub

Sub Summary()
    If failures = 0 Then
        WScript.Echo "all " & cases & " cases passed"
    Else
        WScript.Echo failures & " of " & cases & " cases failed"
    End If
    WScript.Quit failures
End Sub

failures = 0
cases = 0
