' "Nimbrella: Deactivate": a page viewed through the service is shown
' directly again; anything that is not a service page is left alone.

Const S = "@NIMBRELLA_BASE@"
Const ServiceHost = "@NIMBRELLA_HOST@"
Const Refusal1 = "Sorry, Nimbrella is not applicable for this page. |It is viewed through the """
Const Refusal2 = """ protocol,|but Nimbrella can be used only with pages viewed|through the ""http://"" protocol."

Function Arrange(number)
    Dim table, row
    ' name, page address, frame address, frame may read its top page, what happens
    table = Array( _
        Array("service prefix", S & "/nm.pl?~GZ/www.example.org/a/b.html?x=1", "", True, _
              "top -> http://www.example.org/a/b.html?x=1"), _
        Array("service host in other letter case", "http://" & UCase(Mid(S, 8)) & "/nm.pl?~GZ/www.example.org/", "", True, _
              "top -> http://www.example.org/"), _
        Array("path form naming the service's own host, trailing ?* dropped", _
              S & "/nm.pl/0/zav/about.html?*", "", True, _
              "top -> http://" & ServiceHost & "/zav/about.html"), _
        Array("path form without options", S & "/nm.pl/www.example.org/a", "", True, _
              "top -> http://www.example.org/a"), _
        Array("port 8080 with a fragment", S & ":8080/nm.pl?~GZ/www.example.org/page#section-2", "", True, _
              "top -> http://www.example.org/page#section-2"), _
        Array("trailing &* dropped", S & "/nm.pl?~GZ/www.example.org/list?a=1&*", "", True, _
              "top -> http://www.example.org/list?a=1"), _
        Array("?* dropped before a fragment", S & "/nm.pl?~GZ/www.example.org/p?*#top", "", True, _
              "top -> http://www.example.org/p#top"), _
        Array("?* not at the end is kept", S & "/nm.pl?~GZ/www.example.org/p?*x", "", True, _
              "top -> http://www.example.org/p?*x"), _
        Array("port with a leading zero", S & ":080/nm.pl?~GZ/www.example.org/", "", True, ""), _
        Array("port made of letters", S & ":abc/nm.pl?~GZ/www.example.org/", "", True, ""), _
        Array("port beyond a 16-bit number", S & ":99999/nm.pl?~GZ/www.example.org/", "", True, ""), _
        Array("colon without a port", S & ":/nm.pl?~GZ/www.example.org/", "", True, ""), _
        Array("path before the script path", S & "/x/nm.pl?~GZ/www.example.org/", "", True, ""), _
        Array("service information page", S & "/nm.pl?info=64", "", True, ""), _
        Array("service information page in Russian", S & "/nm.pl?lang=r&info=64", "", True, ""), _
        Array("information page in other letter case", S & "/nm.pl?INFO=32", "", True, ""), _
        Array("service page without a script path", S & "/about.html", "", True, ""), _
        Array("page of another host, no alert", "http://www.example.org/nm.pl?~GZ/www.example.com/", "", True, ""), _
        Array("https page refused", "https://secure.example.org/", "", True, _
              "alert " & Refusal1 & "https:" & Refusal2), _
        Array("local file refused", "file:///C:/notes.htm", "", True, _
              "alert " & Refusal1 & "file:" & Refusal2), _
        Array("frame that cannot read its top page: the frame changes", _
              "http://other.example.com/", S & "/nm.pl?~GZ/www.example.org/inner.html", False, _
              "frame -> http://www.example.org/inner.html") _
    )
    If number > UBound(table) Then Exit Function
    row = table(number)
    OpenMenu row(1), row(2), row(3)
    Arrange = Array(row(0), row(4))
End Function
