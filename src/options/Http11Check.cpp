/* The HTTP 1.1 warning of the Options dialog. Only settings that are really
   there and switched off are warned about: a browser that never wrote them
   uses its own defaults, which have both on. */
#include "options/Http11Check.h"
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
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, INTERNET_SETTINGS_KEY, 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return;
    DWORD proxy = 0, direct = 0, type = 0;
    DWORD size = sizeof proxy;
    LONG proxyStatus = RegQueryValueExA(key, "ProxyHttp1.1", NULL, NULL, (BYTE *)&proxy, &size);
    size = sizeof direct;
    LONG directStatus = RegQueryValueExA(key, "EnableHttp1_1", NULL, &type, (BYTE *)&direct, &size);
    RegCloseKey(key);
    if (proxyStatus != ERROR_SUCCESS || directStatus != ERROR_SUCCESS || type != REG_DWORD)
        return;
    if (proxy == 1 && direct == 1)
        return;
    ReportMessage(dialog, HTTP11_WARNING, "", CAPTION_MESSAGE);
}
