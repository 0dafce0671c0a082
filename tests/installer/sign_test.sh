#!/usr/bin/env bash
# scripts/sign.sh on copies of the built files, with a throw-away certificate made
# here: each signs in place and `osslsigncode verify` accepts it against that
# certificate; a wrong password or a missing setting changes nothing.
#
#   sign_test.sh FILE...   (an executable and an .msi package of the build)
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/vx-sign-test.XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=VX throw-away test signer" \
    -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null &&
    openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" \
        -passout "pass:tëst pass" -out "$work/test.pfx" || {
    echo "FAIL: openssl could not make the test certificate"
    exit 1
}
export VX_SIGN_PFX=$work/test.pfx VX_SIGN_PASSWORD="tëst pass"
unset VX_SIGN_TIMESTAMP_URL

copies=()
for f in "$@"; do
    cp "$f" "$work/" && copies+=("$work/$(basename "$f")")
done
[ ${#copies[@]} -gt 0 ] || {
    echo "FAIL: no files given"
    exit 1
}

# Nothing is written without the certificate's settings or with a wrong password.
for f in "${copies[@]}"; do cp "$f" "$f.orig"; done
VX_SIGN_PFX='' "$root/scripts/sign.sh" "${copies[@]}" 2>/dev/null
[ $? -eq 2 ] || fail "no VX_SIGN_PFX: exit code not 2"
VX_SIGN_PASSWORD=wrong "$root/scripts/sign.sh" "${copies[@]}" 2>/dev/null &&
    fail "a wrong password signed"
for f in "${copies[@]}"; do
    cmp -s "$f" "$f.orig" || fail "$(basename "$f") changed by a failed signing"
done
ls -A "$work" | grep -q signing && fail "a temporary file of a failed signing was left"

# Signed in place, and signed again (a second signing replaces the first).
for round in 1 2; do
    "$root/scripts/sign.sh" "${copies[@]}" || fail "signing failed (round $round)"
    for f in "${copies[@]}"; do
        out=$(osslsigncode verify -CAfile "$work/cert.pem" -in "$f" 2>&1)
        echo "$out" | grep -q '^Signature verification: ok' ||
            fail "$(basename "$f") (round $round): $(echo "$out" | tail -3)"
        [ "$(echo "$out" | grep -c '^Signature Index:')" -eq 1 ] ||
            fail "$(basename "$f") (round $round): not exactly one signature"
        echo "$(basename "$f") round $round: $(echo "$out" | grep -m1 '^Signature verification')"
    done
done

# An unsigned file is not accepted: the check above tests something.
osslsigncode verify -CAfile "$work/cert.pem" -in "${copies[0]}.orig" >/dev/null 2>&1 &&
    fail "an unsigned file verified"

[ $failures -eq 0 ] && echo "sign test: passed" || echo "sign test: $failures failure(s)"
[ $failures -eq 0 ]
