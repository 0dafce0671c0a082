#!/usr/bin/env bash
# Renders topics of the built help file to PNG for a person to look at: the help
# is taken apart with extract_chmLib, so what is rendered is what the .chm holds
# (the Shift_JIS topics and their style sheet).
#
#   scripts/help-screenshots.sh [TOPIC...]      default: select msw1
#
# Needs the native build's help file (cmake --build --preset native --target vx_help)
# and wkhtmltoimage (Debian package wkhtmltopdf; it needs X, so it runs under
# xvfb-run). Writes build/help-screenshots/<topic>.png.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
chm=$root/build/native/help/QLV3906.chm
out=$root/build/help-screenshots
[ -f "$chm" ] || { echo "help-screenshots: no $chm; build the target vx_help first" >&2; exit 1; }
command -v wkhtmltoimage >/dev/null || {
    echo "help-screenshots: wkhtmltoimage missing (apt-get install wkhtmltopdf)" >&2
    exit 1
}
topics=("$@")
[ ${#topics[@]} -gt 0 ] || topics=(select msw1)

work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
extract_chmLib "$chm" "$work" >/dev/null && mkdir -p "$out" || exit 1
for t in "${topics[@]}"; do
    timeout 120 xvfb-run -a wkhtmltoimage --quiet --enable-local-file-access --width 800 \
        "$work/$t.htm" "$out/$t.png" || exit 1
    echo "help-screenshots: $out/$t.png"
done
