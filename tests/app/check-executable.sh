#!/usr/bin/env bash
# NMZAV.EXE is a 32-bit GUI executable whose code runs on an i486, that imports
# system DLLs only (no C runtime), names the product and its version in its
# version resource, carries one application manifest that asks for
# administrator rights and nothing else, and is at most 80 KiB without an
# Authenticode signature. Usage: check-executable.sh EXE [MAP]; MAP is the
# link map of the build (default: NMZAV.map beside EXE), which tells where the
# code ends and the constants begin, both in one section.
set -u
exe="$1"
map="${2:-$(dirname "$1")/NMZAV.map}"
failed=0
check() { if eval "$2"; then echo "ok: $1"; else echo "FAILED: $1"; failed=1; fi; }
headers=$(i686-w64-mingw32-objdump -p "$exe")
check "PE32 i386" 'file "$exe" | grep -q "PE32 executable (GUI) Intel 80386"'
check "GUI subsystem" 'grep -q "Subsystem.*Windows GUI" <<<"$headers"'
dlls=$(grep "DLL Name:" <<<"$headers" | awk '{print tolower($3)}' | sort -u | tr '\n' ' ')
echo "imports: $dlls"
allowed=" kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll ole32.dll comctl32.dll comdlg32.dll shlwapi.dll "
for dll in $dlls; do
    check "$dll is a system DLL" '[[ "$allowed" == *" $dll "* ]]'
done
runtimes=$(tr ' ' '\n' <<<"$dlls" | grep -iE '^(msvc|ucrt|crtdll|api-ms-win-crt|libgcc|libstdc|libwinpthread)' | tr '\n' ' ')
check "no C runtime imported${runtimes:+ (found: $runtimes)}" '[ -z "$runtimes" ]'

# The code's address ranges: the link map's .text input sections that were
# placed. The section's constants and import tables follow them.
ranges=$(python3 -c '
import re, sys
text = open(sys.argv[1]).read()
start = text.find("\n.text ")
text = text[start:text.find("\n.data", start)] if start >= 0 else ""
pending = False
for line in text.split("\n"):
    if re.match(r"^ \.text\S*\s*$", line):
        pending = True
        continue
    m = re.match(r"^ (\.text\S*)?\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+\S", line)
    if m and (m.group(1) or pending) and int(m.group(2), 16) and int(m.group(3), 16):
        print("0x%x 0x%x" % (int(m.group(2), 16), int(m.group(2), 16) + int(m.group(3), 16)))
    pending = False' "$map" 2>/dev/null)
code=$(while read -r from to; do
    i686-w64-mingw32-objdump -d --no-show-raw-insn --start-address="$from" --stop-address="$to" "$exe"
done <<<"$ranges" | awk -F'\t' 'NF >= 2 && $1 ~ /^ *[0-9a-f]+:$/ {print $2}' |
    sed -E 's/^((lock|rep[a-z]*|data(16|32)|addr(16|32)|[c-gs]s|notrack|bnd|xacquire|xrelease) +)+//')
count=$(grep -c . <<<"$code")
echo "code: $(tr '\n' ' ' <<<"$ranges")($count instructions)"
check "code found through the link map $map" '[ "$count" -gt 2000 ]'
# Beyond the i486: the Pentium's (CMPXCHG8B, CPUID, RDTSC), the Pentium
# Pro's (CMOV, FCMOV, FCOMI, FUCOMI, RDPMC, SYSENTER, UD2, the long NOP in
# its memory and register forms), the shadow stack's (which a jump out of a
# function emits under -fcf-protection), and MMX, SSE and everything later,
# which name their own registers; a prefix (lock, rep, a segment) does not
# hide the instruction after it.
beyond=$(grep -E '^(cmov|endbr|fcmov|fcomip?|fucomip?|cpuid|rdtscp?|rdpmc|rdmsr|wrmsr|sysenter|sysexit|syscall|sysret|cmpxchg(8|16)b|ud[0-2]|emms|femms|prefetch|[lms]fence|clflush|movnti|[ls]dmxcsr|fx(save|rstor)|xsave|xrstor|fisttp|popcnt|lzcnt|tzcnt|movbe|crc32|andn|bextr|bls|bzhi|pdep|pext|rorx|sarx|shlx|shrx|adcx|adox|rdrand|rdseed|rdssp|incssp|saveprevssp|rstorssp|wrss|setssbsy|clrssbsy|nop[wl]|nop +%)|%[xyz]?mm[0-9]|%k[0-7]|\(bad\)' <<<"$code" | sort | uniq -c)
check "no instruction beyond the i486 ${beyond:+(found: $(tr -s ' \n' ' ' <<<"$beyond"))}" '[ -z "$beyond" ]'

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
# An Authenticode signature is appended as the certificate table, which the
# security entry of the data directories names (file offset, size).
size=$(stat -c %s "$exe")
signature=$(python3 -c '
import struct, sys
data = open(sys.argv[1], "rb").read()
pe = struct.unpack_from("<I", data, 0x3C)[0]
print(struct.unpack_from("<I", data, pe + 24 + 128 + 4)[0])' "$exe")
unsigned=$((size - signature))
check "at most 80 KiB without its signature ($unsigned bytes, signature $signature bytes)" '[ "$unsigned" -le 81920 ]'
exit $failed
