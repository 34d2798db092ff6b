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
step "signed" osslsigncode sign -certs "$work/cert.pem" -key "$work/key.pem" -h sha256 \
    -n "Nimbrella Zavex Add-on 2.007" -in "$exe" -out "$work/signed.exe"
step "the signature verifies" osslsigncode verify -CAfile "$work/cert.pem" -in "$work/signed.exe"
echo "The executable check on the signed copy:"
"$(dirname "$0")/check-executable.sh" "$work/signed.exe" "$map" | sed 's/^/    /'
[ "${PIPESTATUS[0]}" -eq 0 ] || failed=1
step "the signature removed" osslsigncode remove-signature -in "$work/signed.exe" -out "$work/unsigned.exe"
step "the same bytes as the built file once unsigned" cmp "$exe" "$work/unsigned.exe"
exit $failed
