#!/usr/bin/env bash
# A publisher's Authenticode signature on NMZAV.EXE: a copy signed with a
# throw-away certificate made on the spot verifies, still passes the
# executable check, and gives back the built file byte for byte once its
# signature is removed, so that a signed release can be checked against a
# build of its sources. Usage: check-signed.sh EXE [MAP]
set -u
exe="$1"
map="${2:-$(dirname "$1")/NMZAV.map}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
step() {
    local what=$1
    shift
    if "$@" >"$work/log" 2>&1; then echo "ok: $what"; else
        echo "FAILED: $what"
        sed 's/^/    /' "$work/log"
        failed=1
    fi
}
step "a throw-away code-signing certificate" \
    openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj "/CN=Throw-away test publisher" \
    -addext "extendedKeyUsage=codeSigning" -keyout "$work/key.pem" -out "$work/cert.pem"
# SHA-1 first, which every Windows of the platform checks, then a SHA-256
# signature nested in it, which XP SP3 and later check.
step "signed with SHA-1" osslsigncode sign -certs "$work/cert.pem" -key "$work/key.pem" -h sha1 \
    -n "Nimbrella Zavex Add-on 2.007" -in "$exe" -out "$work/sha1.exe"
step "a SHA-256 signature nested" osslsigncode sign -nest -certs "$work/cert.pem" \
    -key "$work/key.pem" -h sha256 -n "Nimbrella Zavex Add-on 2.007" -in "$work/sha1.exe" \
    -out "$work/signed.exe"
step "both signatures verify" osslsigncode verify -CAfile "$work/cert.pem" -in "$work/signed.exe"
digests=$(grep -iE "message digest algorithm *: *sha(1|256)" "$work/log" | tr -d ' ' | tr 'A-Z' 'a-z' | sort -u | tr '\n' ' ')
if [ "$digests" = "messagedigestalgorithm:sha1 messagedigestalgorithm:sha256 " ]; then
    echo "ok: a SHA-1 and a SHA-256 signature"
else
    echo "FAILED: a SHA-1 and a SHA-256 signature (digests: $digests)"
    sed 's/^/    /' "$work/log"
    failed=1
fi
echo "The executable check on the signed copy:"
"$(dirname "$0")/check-executable.sh" "$work/signed.exe" "$map" | sed 's/^/    /'
[ "${PIPESTATUS[0]}" -eq 0 ] || failed=1
step "the signature removed" osslsigncode remove-signature -in "$work/signed.exe" -out "$work/unsigned.exe"
step "the same bytes as the built file once unsigned" cmp "$exe" "$work/unsigned.exe"
exit $failed
