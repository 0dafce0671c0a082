#!/usr/bin/env bash
# Installs every Debian package that building, testing and running the two
# programs need, 32-bit Wine included (Debian's wine32 from the i386
# architecture, for the i686 programs). Safe to run again: packages already
# present are left alone. Runs once per test command: scripts/test.sh sets
# VX_SETUP_DONE for the scripts it starts.
set -uo pipefail
[ -z "${VX_SETUP_DONE:-}" ] || exit 0

packages=(
    build-essential cmake ninja-build git
    clang clang-format libclang-rt-14-dev
    googletest libgtest-dev libgmock-dev
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
    wine wine64 wine32:i386 xvfb xauth x11-utils xdotool imagemagick
    fonts-ipafont-gothic fonts-wine mscompress locales python3
    fp-utils libchm-bin
    cups cups-daemon cups-client libcups2-dev
    snmp snmpd
    msitools wixl osslsigncode openssl
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
    echo "setup: all packages present"
    exit 0
fi

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
# wine32 comes from the i386 architecture.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386 || exit 1
fi
$sudo apt-get update -qq || exit 1
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" || exit 1
echo "setup: installed ${missing[*]}"
