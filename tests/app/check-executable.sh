#!/usr/bin/env bash
# NMZAV.EXE is a 32-bit GUI executable that imports system DLLs only, names
# the product and its version in its version resource, and carries one
# application manifest that asks for administrator rights and nothing else.
set -u
exe="$1"
failed=0
check() { if eval "$2"; then echo "ok: $1"; else echo "FAILED: $1"; failed=1; fi; }
headers=$(i686-w64-mingw32-objdump -p "$exe")
check "PE32 i386" 'file "$exe" | grep -q "PE32 executable (GUI) Intel 80386"'
check "GUI subsystem" 'grep -q "Subsystem.*Windows GUI" <<<"$headers"'
dlls=$(grep "DLL Name:" <<<"$headers" | awk '{print tolower($3)}' | sort -u | tr '\n' ' ')
echo "imports: $dlls"
allowed=" kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll ole32.dll msvcrt.dll comctl32.dll comdlg32.dll shlwapi.dll "
for dll in $dlls; do
    check "$dll is a system DLL" '[[ "$allowed" == *" $dll "* ]]'
done
# Version strings are stored as UTF-16 in the resource.
utf16() { printf '%s' "$1" | iconv -f ASCII -t UTF-16LE | xxd -p | tr -d '\n'; }
hex=$(xxd -p "$exe" | tr -d '\n')
for text in "Nimbrella Zavex Add-on" "2.007" "NMZAV.EXE"; do
    check "version resource names \"$text\"" '[[ "$hex" == *"$(utf16 "$text")"* ]]'
done
manifests=$(wrestool -l --type=24 "$exe" 2>/dev/null | wc -l)
check "one manifest ($manifests)" '[ "$manifests" -eq 1 ]'
manifest=$(wrestool -x --raw --type=24 --name=1 "$exe" 2>/dev/null)
verdict=$(python3 -c '
import sys, xml.etree.ElementTree as tree
v1, v3 = "{urn:schemas-microsoft-com:asm.v1}", "{urn:schemas-microsoft-com:asm.v3}"
try:
    root = tree.fromstring(sys.stdin.buffer.read())
except tree.ParseError as error:
    sys.exit("not well-formed: %s" % error)
levels = root.findall("%strustInfo/%ssecurity/%srequestedPrivileges/%srequestedExecutionLevel" % (v3, v3, v3, v3))
if root.tag != v1 + "assembly" or len(levels) != 1:
    sys.exit("no single requestedExecutionLevel under trustInfo")
if levels[0].attrib != {"level": "requireAdministrator", "uiAccess": "false"}:
    sys.exit("execution level %s" % levels[0].attrib)
for element in root.iter():
    name = element.tag.split("}")[-1]
    if name in ("dependency", "dpiAware", "dpiAwareness", "supportedOS"):
        sys.exit("a %s element" % name)
print("ok")' <<<"$manifest" 2>&1)
check "manifest asks for administrator rights and nothing else ($verdict)" '[ "$verdict" = ok ]'
check "asm.v3 declared once" '[ "$(grep -o "urn:schemas-microsoft-com:asm.v3" <<<"$manifest" | wc -l)" -eq 1 ]'
size=$(stat -c %s "$exe")
check "at most 80 KiB ($size bytes)" '[ "$size" -le 81920 ]'
exit $failed
