' "Nimbrella: Activate": the page of the browser window is shown through the
' service, unless it already is; pages not viewed over http are refused.

Const S = "@NIMBRELLA_BASE@"
Const Refusal1 = "Sorry, Nimbrella is not applicable for this page. |It is viewed through the """
Const Refusal2 = """ protocol,|but Nimbrella can be used only with pages viewed|through the ""http://"" protocol."

Function Arrange(number)
    Dim table, row
    ' name, page address, frame address, frame may read its top page, what happens
    table = Array( _
        Array("plain http page, query and fragment carried along", _
              "http://www.example.org/docs/page.html?q=1&r=two#part", "", True, _
              "top -> " & S & "/nm.pl?~GZ/www.example.org/docs/page.html?q=1&r=two#part"), _
        Array("site root", "http://www.example.org/", "", True, _
              "top -> " & S & "/nm.pl?~GZ/www.example.org/"), _
        Array("already on the service's script path", S & "/nm.pl?~GZ/www.example.org/", "", True, ""), _
        Array("already on the service's second script path", S & "/nml.pl?~GZ/www.example.org/", "", True, ""), _
        Array("service address in other letter case", "http://" & UCase(Mid(S, 8)) & "/NM.PL?~GZ/www.example.org/", "", True, ""), _
        Array("service host with a port, first path", S & ":8080/nm.pl/0/a.html", "", True, ""), _
        Array("service host with a port, second path", S & ":81/x/nml.pl?~GZ/b", "", True, ""), _
        Array("other page of the service's host", S & "/about.html", "", True, _
              "top -> " & S & "/nm.pl?~GZ/" & Mid(S, 8) & "/about.html"), _
        Array("https page refused", "https://secure.example.org/account", "", True, _
              "alert " & Refusal1 & "https:" & Refusal2), _
        Array("local file refused", "file:///C:/My%20Documents/notes.htm", "", True, _
              "alert " & Refusal1 & "file:" & Refusal2), _
        Array("scheme compared in its exact case", "HTTP://www.example.org/", "", True, _
              "alert " & Refusal1 & "HTTP:" & Refusal2), _
        Array("menu in a frame: the whole window changes", _
              "http://www.example.org/frames.html", "http://www.example.org/menu.html", True, _
              "top -> " & S & "/nm.pl?~GZ/www.example.org/frames.html"), _
        Array("frame that cannot read its top page: the frame changes", _
              "http://other.example.com/", "http://www.example.org/inner.html", False, _
              "frame -> " & S & "/nm.pl?~GZ/www.example.org/inner.html") _
    )
    If number > UBound(table) Then Exit Function
    row = table(number)
    OpenMenu row(1), row(2), row(3)
    Arrange = Array(row(0), row(4))
End Function
