#!/usr/bin/env bash
# Signs Windows files in place (the programs, VXInst.exe, the .msi packages) with
# Authenticode, through osslsigncode:
#
#   VX_SIGN_PFX=release.pfx VX_SIGN_PASSWORD=... scripts/sign.sh FILE...
#
# VX_SIGN_PFX       the PKCS#12 file holding the certificate and its private key
# VX_SIGN_PASSWORD  its password (read by osslsigncode from a descriptor, never
#                   from the command line, where other users could see it)
# VX_SIGN_TIMESTAMP_URL  optional: an RFC 3161 time-stamp server; with it, a
#                   signature stays valid after the certificate expires
#
# A file already signed is signed anew (the old signature is replaced). Each file
# is signed into a temporary copy in a folder beside it that replaces it only when signing
# succeeded, so a failure leaves every file as it was. Exits non-zero on the first
# failure.
set -uo pipefail

say() { echo "sign: $*" >&2; }

[ $# -gt 0 ] || {
    say "usage: VX_SIGN_PFX=FILE VX_SIGN_PASSWORD=... scripts/sign.sh FILE..."
    exit 2
}
[ -n "${VX_SIGN_PFX:-}" ] || {
    say "VX_SIGN_PFX is not set (the PKCS#12 certificate file)"
    exit 2
}
[ -r "$VX_SIGN_PFX" ] || {
    say "cannot read the certificate file $VX_SIGN_PFX"
    exit 2
}
[ -n "${VX_SIGN_PASSWORD+set}" ] || {
    say "VX_SIGN_PASSWORD is not set (the certificate file's password)"
    exit 2
}
command -v osslsigncode >/dev/null || {
    say "osslsigncode is missing (scripts/setup.sh installs it)"
    exit 2
}

for file in "$@"; do
    [ -f "$file" ] || {
        say "no such file: $file"
        exit 1
    }
    # osslsigncode writes only a file that is not there yet: a fresh folder beside it.
    folder=$(mktemp -d "$(dirname "$file")/.signing.XXXXXX") || {
        say "cannot make a folder beside $file"
        exit 1
    }
    signed=$folder/$(basename "$file")
    timestamp=()
    [ -z "${VX_SIGN_TIMESTAMP_URL:-}" ] || timestamp=(-ts "$VX_SIGN_TIMESTAMP_URL")
    # -readpass reads the password from descriptor 3; an existing signature is
    # replaced rather than nested.
    if ! osslsigncode sign -pkcs12 "$VX_SIGN_PFX" -readpass /dev/fd/3 -h sha256 \
        -n "$(basename "$file")" "${timestamp[@]}" -in "$file" -out "$signed" \
        3<<<"$VX_SIGN_PASSWORD" >/dev/null; then
        rm -rf "$folder"
        say "signing $file failed"
        exit 1
    fi
    if ! chmod --reference="$file" "$signed" || ! mv -f "$signed" "$file"; then
        rm -rf "$folder"
        say "replacing $file by its signed copy failed"
        exit 1
    fi
    rmdir "$folder"
    say "signed $file"
done
