#!/usr/bin/env bash
# Screenshots of the settings program's five pages, for a person to look at
# (Japanese text rendered, pictures recognisable): build/screenshots/page-0.png
# (function select) to page-4.png (MSW4), each cut to the main window.
#
#   tests/e2e/page_screenshots.sh [QLV3906.EXE]   default: build/windows/app/QLV3906.EXE
#
# Runs in a prefix of its own (build/screenshot-prefix) on a private Xvfb; the
# pages are switched with the menu accelerators Ctrl+K and Ctrl+1 .. Ctrl+4.
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# shellcheck source=../../scripts/wine-prefix.sh
source "$root/scripts/wine-prefix.sh"

exe=${1:-$root/build/windows/app/QLV3906.EXE}
out=$root/build/screenshots
prefix=$root/build/screenshot-prefix
title="ZAM QX-K480/330 ベルトリクス"
[ -f "$exe" ] || {
    echo "page_screenshots: $exe not built" >&2
    exit 1
}
mkdir -p "$out"

remove_prefix() { vx_wine_prefix_remove "$prefix"; }
vx_wine_session "$prefix" always remove_prefix || exit 1

wine "$exe" </dev/null >/dev/null 2>&1 &
window=
for _ in $(seq 200); do
    window=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -1)
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || {
    echo "page_screenshots: the main window did not appear" >&2
    exit 1
}
sleep 1
keys=(ctrl+k ctrl+1 ctrl+2 ctrl+3 ctrl+4)
for i in 0 1 2 3 4; do
    xdotool windowactivate --sync "$window" key "${keys[$i]}" 2>/dev/null ||
        xdotool key "${keys[$i]}"
    sleep 1
    import -window root -crop "$(xdotool getwindowgeometry --shell "$window" |
        awk -F= '/WIDTH/{w=$2}/HEIGHT/{h=$2}/^X/{x=$2}/^Y/{y=$2}END{printf "%dx%d+%d+%d", w+8, h+30, x-4, y-26}')" \
        "$out/page-$i.png"
done
echo "page_screenshots: saved $out/page-0.png .. page-4.png"
