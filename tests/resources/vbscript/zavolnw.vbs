' "Nimbrella: Open in New Window": the link (or image) the menu was opened on
' opens through the service in a new window.

Const S = "@NIMBRELLA_BASE@"
Const Page = "http://www.example.org/docs/index.html"
Const Refusal1 = "Sorry, Nimbrella is not applicable for this page. |It is viewed through the """
Const Refusal2 = """ protocol,|but Nimbrella can be used only with pages viewed|through the ""http://"" protocol."

' Each case opens the menu on Page and returns its name and what happens.
Function Arrange(number)
    Dim link, image, text
    OpenMenu Page, "", True
    Select Case number
    Case 0
        MenuEvent "MenuExtAnchor", Element("HTMLAnchorElement", "/docs/other.html", Nothing)
        Arrange = Array("link to a path on the page's own server", _
            "open " & S & "/nm.pl?~GZ/www.example.org/docs/other.html _blank")
    Case 1
        Set link = Element("HTMLAnchorElement", "http://www.example.com/a?b=1#c", Nothing)
        MenuEvent "MenuExtAnchor", Element("HTMLSpanElement", "", Element("HTMLBoldElement", "", link))
        Arrange = Array("text inside a link", _
            "open " & S & "/nm.pl?~GZ/www.example.com/a?b=1#c _blank")
    Case 2
        MenuEvent "MenuExtAnchor", Element("HTMLAnchorElement", S & "/nm.pl?~GZ/www.example.com/", Nothing)
        Arrange = Array("link already on the service", "open " & S & "/nm.pl?~GZ/www.example.com/ _blank")
    Case 3
        MenuEvent "MenuExtAnchor", Element("HTMLAnchorElement", S & ":8080/x/nml.pl?~GZ/y", Nothing)
        Arrange = Array("link on the service's host with a port", "open " & S & ":8080/x/nml.pl?~GZ/y _blank")
    Case 4
        MenuEvent "MenuExtAnchor", Element("HTMLAnchorElement", "mailto:someone@example.org", Nothing)
        Arrange = Array("mailto link refused", "alert " & Refusal1 & "mailto:" & Refusal2)
    Case 5
        MenuEvent "MenuExtAnchor", Element("HTMLSpanElement", "", Element("HTMLBody", "", Nothing))
        Arrange = Array("no link at or above the element: nothing, no error", "")
    Case 6
        Set link = Element("HTMLAnchorElement", "http://www.example.com/big.html", Nothing)
        MenuEvent "MenuExtImage", Element("HTMLImg", "http://www.example.com/small.png", link)
        Arrange = Array("image inside a link opens the link", _
            "open " & S & "/nm.pl?~GZ/www.example.com/big.html _blank")
    Case 7
        MenuEvent "MenuExtImage", Element("HTMLImg", "http://www.example.com/photo.jpg", Element("HTMLBody", "", Nothing))
        Arrange = Array("image outside any link opens the image", _
            "open " & S & "/nm.pl?~GZ/www.example.com/photo.jpg _blank")
    Case 8
        MenuEvent "MenuExtImage", Element("HTMLImg", "/pictures/map.gif", Nothing)
        Arrange = Array("image on a path of the page's own server", _
            "open " & S & "/nm.pl?~GZ/www.example.org/pictures/map.gif _blank")
    Case 9
        MenuEvent "MenuExtImage", Element("HTMLImg", "file:///C:/pictures/a.gif", Nothing)
        Arrange = Array("local image refused", "alert " & Refusal1 & "file:" & Refusal2)
    Case 10
        MenuEvent "MenuExtImage", Element("HTMLAreaElement", "http://www.example.com/region", _
            Element("HTMLMapElement", "", Nothing))
        Arrange = Array("image-map region opens its link", _
            "open " & S & "/nm.pl?~GZ/www.example.com/region _blank")
    Case 11
        Set link = Element("HTMLAnchorElement", "http://www.example.com/a", Nothing)
        MenuEvent "MenuExtUnknown", Element("HTMLImg", "http://www.example.com/i.png", link)
        Arrange = Array("unknown kind: the enclosing link wins", _
            "open " & S & "/nm.pl?~GZ/www.example.com/a _blank")
    Case 12
        MenuEvent "MenuExtUnknown", Element("HTMLImg", "http://www.example.com/i.png", Element("HTMLBody", "", Nothing))
        Arrange = Array("unknown kind: an image outside links opens itself", _
            "open " & S & "/nm.pl?~GZ/www.example.com/i.png _blank")
    Case 13
        MenuEvent "MenuExtUnknown", Element("HTMLSpanElement", "", Element("HTMLBody", "", Nothing))
        Arrange = Array("unknown kind on plain text: nothing", "")
    Case 14
        MenuEvent "MenuExtImage", Nothing
        UnderMouse Element("HTMLImg", "http://www.example.com/under.png", Nothing)
        Arrange = Array("event without an element: the one under the mouse", _
            "open " & S & "/nm.pl?~GZ/www.example.com/under.png _blank")
    Case 15
        MenuEvent "MenuExtAnchor", Nothing
        Arrange = Array("no element at all: nothing, no error", "")
    Case 16
        MenuEvent "MenuExtText", Element("HTMLAnchorElement", "http://www.example.com/", Nothing)
        Arrange = Array("other menu kinds: nothing", "")
    Case 17
        MenuEvent "MenuExtUnknown", Element("HTMLImg", "no-scheme.png", Nothing)
        Arrange = Array("image address without a scheme refused with an empty one", _
            "alert " & Refusal1 & Refusal2)
    End Select
End Function
