#!/usr/bin/env bash
# The medium's Windows Installer package read back with msiinfo: a Japanese summary
# (code page 932, template "<platform>;1041", author ZAM), the database's code page, a
# per-machine install, the fixed upgrade code with the major-upgrade rows, and the names
# the setup information gives, in code page 932.
#
#   package_test.sh PACKAGE.msi PLATFORM VERSION     (PLATFORM: Intel or x64)
set -uo pipefail

msi=${1:?usage: package_test.sh PACKAGE.msi PLATFORM VERSION}
platform=${2:?}
version=${3:?}
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
# msiinfo converts the tables' texts through the code page of WINDOWS_LANGUAGE.
export WINDOWS_LANGUAGE=ja
table() { msiinfo export "$msi" "$1" | tr -d '\r'; }
expect_line() { # TABLE LINE
    table "$1" | grep -qxF -- "$2" || fail "$1 has no row \"$2\""
}

summary=$(msiinfo suminfo "$msi") || {
    echo "FAIL: msiinfo cannot read $msi"
    exit 1
}
echo "$summary" | grep -E '^(Subject|Author|Template|Comments):'
for line in "Template: $platform;1041" "Author: ZAM" "Subject: ZAM Veltrix" \
    "Comments: ZAM Veltrix $version"; do
    echo "$summary" | grep -qxF "$line" || fail "summary: no \"$line\""
done
# The summary's own code page (property 1, VT_I2) is 932.
msiinfo extract "$msi" $'\005SummaryInformation' | python3 -c '
import struct, sys
data = sys.stdin.buffer.read()
start = struct.unpack_from("<I", data, 44)[0]
count = struct.unpack_from("<I", data, start + 4)[0]
for i in range(count):
    pid, offset = struct.unpack_from("<II", data, start + 8 + 8 * i)
    if pid == 1:
        kind, value = struct.unpack_from("<IH", data, start + offset)
        sys.exit(0 if (kind, value) == (2, 932) else f"summary code page {value}")
sys.exit("summary has no code page")' || fail "summary code page is not 932"

expect_line _ForceCodepage $'932\t_ForceCodepage'
expect_line Property $'ALLUSERS\t1'
expect_line Property $'ProductName\tZAM ベルトリクス'
expect_line Property $'Manufacturer\tZAM'
expect_line Property $'ProductVersion\t'"$version"
expect_line Property $'ProductLanguage\t1041'
expect_line Property $'UpgradeCode\t{D9E6C2D0-A93A-4BE1-9380-BC0CE095F62F}'
expect_line Upgrade $'{D9E6C2D0-A93A-4BE1-9380-BC0CE095F62F}\t\t'"$version"$'\t\t1\t\tWIX_UPGRADE_DETECTED'
expect_line Directory $'INSTALLDIR\tProgramFilesDir\tVeltrix'
expect_line Directory $'Group\tProgramMenuFolder\tZAM ベルトリクス'
table Shortcut | grep -qF $'ProgramLink\tGroup\tZAM ベルトリクス\tShortcuts\t[INSTALLDIR]QLV3906.EXE\t\tQX-K480/330のプリンタ設定を変更するためのユーティリティです。' ||
    fail "the program's shortcut"
table Shortcut | grep -qF $'HelpLink\tGroup\tベルトリクスのヘルプ\tShortcuts\t[INSTALLDIR]QLV3906.chm\t\tZAM QX-K480/330 ベルトリクスのヘルプです。' ||
    fail "the help's shortcut"
# Every component of the 64-bit package is 64-bit (attribute 256) but the 32-bit view's mark.
if [ "$platform" = x64 ]; then
    table Component | awk -F'\t' 'NR > 3 && $1 != "Mark32" && int($4 / 256) % 2 == 0 { bad = 1 } END { exit bad }' ||
        fail "a 64-bit package's component is not 64-bit"
fi

[ $failures -eq 0 ] && echo "package test: passed" || echo "package test: $failures failure(s)"
[ $failures -eq 0 ]
