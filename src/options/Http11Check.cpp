/* The HTTP 1.1 warning of the Options dialog. Only settings that are really
   there and switched off are warned about: a browser that never wrote them
   uses its own defaults, which have both on. */
#include "options/Http11Check.h"
#include "app/Registry.h"
#include "app/Report.h"

#define HTTP11_WARNING                                                                         \
    "Warning!\nTo use Nimbrella, you should change current settings of Internet Explorer.\n\n" \
    "Please open your Internet Options dialog (Tools/Internet Options... command in "          \
    "Internet Explorer main menu). Please click \"Advanced\" tab and find \"HTTP 1.1 "          \
    "settings\" section.\n\nBOTH flags \"Use HTTP 1.1\" and \"Use HTTP 1.1 through proxy "      \
    "connection\" in this section should be enabled! Please set these flags.\n\nAfter that, "  \
    "please close all Internet Explorer windows and launch Internet Explorer again."

void CheckHttp11Settings(HWND dialog)
{
    DWORD proxy = 0, direct = 0, type = 0;
    DWORD size = sizeof proxy;
    if (ReadRegistryValue(HKEY_CURRENT_USER, INTERNET_SETTINGS_KEY, KEY_READ, "ProxyHttp1.1",
                          NULL, &proxy, &size) != ERROR_SUCCESS)
        return;
    size = sizeof direct;
    if (ReadRegistryValue(HKEY_CURRENT_USER, INTERNET_SETTINGS_KEY, KEY_READ, "EnableHttp1_1",
                          &type, &direct, &size) != ERROR_SUCCESS ||
        type != REG_DWORD)
        return;
    if (proxy == 1 && direct == 1)
        return;
    ReportMessage(dialog, HTTP11_WARNING, "", CAPTION_MESSAGE);
}
