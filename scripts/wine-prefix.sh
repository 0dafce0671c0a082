#!/usr/bin/env bash
# Private Wine prefixes for running and testing the Windows programs.
#
# One template prefix is made once (Japanese locale, fonts, a printer of the
# model on "LPT1:" whose raw jobs land in a file) and copied for every use, so
# each run starts from the same state. Everything lives under build/.
#
# Use as a command:
#   scripts/wine-prefix.sh template          make the template if missing or stale
#   scripts/wine-prefix.sh copy DIR          fresh prefix DIR from the template
#   scripts/wine-prefix.sh xvfb              start Xvfb, print "DISPLAY PID"
# or source it and call the vx_* functions (scripts/run.sh, scripts/test-windows.sh
# and scripts/wine-test.sh do).
#
# Layout of a prefix made here:
#   drive_c/test-io/spool-lpt.bin   raw bytes of the last job printed to "LPT1:"
#   dosdevices/lpt1                 slave of a pseudo-terminal held by
#                                   tests/e2e/fake_lpt.py (see vx_fake_lpt_start)
#   drive_c/test-io/lpt-*.bin       what fake_lpt.py received / answers

VX_ROOT=${VX_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
VX_LOCPATH=${VX_LOCPATH:-$VX_ROOT/build/locale}
# win64 (a 64-bit prefix, which runs 32-bit programs too) or win32 (a 32-bit
# prefix, for the i686 programs: Debian's wine32 from the i386 architecture).
VX_WINE_ARCH=${VX_WINE_ARCH:-win64}
case $VX_WINE_ARCH in
    win64) VX_WINE_TEMPLATE=${VX_WINE_TEMPLATE:-$VX_ROOT/build/wine-template} ;;
    win32) VX_WINE_TEMPLATE=${VX_WINE_TEMPLATE:-$VX_ROOT/build/wine-template-win32} ;;
    *)
        echo "wine-prefix: VX_WINE_ARCH must be win64 or win32, not $VX_WINE_ARCH" >&2
        return 1 2>/dev/null || exit 1
        ;;
esac

# A kernel built without 32-bit support cannot start Debian's 32-bit Wine loader,
# which /usr/bin/wine prefers whenever wine32 is installed ("Exec format error").
# There 64-bit prefixes run through the 64-bit loader directly (a private wrapper
# first on PATH), and 32-bit prefixes cannot run at all (vx_wine_32bit_missing).
vx_wine_32bit_missing() {
    [ -x /usr/lib/wine/wine ] && ! /usr/lib/wine/wine --version >/dev/null 2>&1
}
if [ "$VX_WINE_ARCH" = win64 ] && vx_wine_32bit_missing; then
    VX_WINE64_BIN=$VX_ROOT/build/wine64-bin
    if [ ! -x "$VX_WINE64_BIN/wine" ]; then
        mkdir -p "$VX_WINE64_BIN"
        for name in wine wine-stable; do
            printf '%s\n' '#!/bin/sh' 'export WINELOADER=/usr/lib/wine/wine64' \
                'exec /usr/lib/wine/wine64 "$@"' >"$VX_WINE64_BIN/$name.tmp"
            chmod +x "$VX_WINE64_BIN/$name.tmp"
            mv "$VX_WINE64_BIN/$name.tmp" "$VX_WINE64_BIN/$name"
        done
    fi
    case ":$PATH:" in *":$VX_WINE64_BIN:"*) ;; *) export PATH=$VX_WINE64_BIN:$PATH ;; esac
fi

# The printer every prefix has: driver name of the model, port "LPT1:".
VX_PRINTER_NAME="ZAM QX-K480/330(168)"
VX_PRINTER_DRIVER="ZAM QX-K480/330(168)"

# Reply of a printer holding the factory settings: 66 lines, outline font on,
# standard fonts, JIS 1978 table, Mincho, all memory switches off.
VX_LPT_DEFAULT_REPLY="000042010000010000000000"

vx_log() { echo "wine-prefix: $*" >&2; }

# Generates the Japanese locale, and an English one for tests that need a code
# page other than 932, privately into build/locale (LOCPATH): a fresh machine
# has neither.
vx_wine_locale() {
    mkdir -p "$VX_LOCPATH"
    (
        flock 9
        local l
        for l in ja_JP en_US; do
            [ -f "$VX_LOCPATH/$l.UTF-8/LC_CTYPE" ] && continue
            localedef -i "$l" -f UTF-8 "$VX_LOCPATH/$l.UTF-8" >/dev/null 2>&1 ||
                [ -f "$VX_LOCPATH/$l.UTF-8/LC_CTYPE" ] || {
                vx_log "localedef $l.UTF-8 failed"
                exit 1
            }
        done
    ) 9>"$VX_LOCPATH.lock"
}

# Exports the environment every Wine command here runs with. $1: the locale
# (default ja_JP.UTF-8).
vx_wine_env() {
    export LOCPATH=$VX_LOCPATH
    export LANG=${1:-ja_JP.UTF-8}
    unset LC_ALL LANGUAGE
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
}

# Escapes a string for a double-quoted .reg value.
vx_reg_quote() {
    local s=${1//\\/\\\\}
    printf '"%s"' "${s//\"/\\\"}"
}

# The spooler's name for the prefix's processor architecture.
vx_print_environment() {
    if [ "$VX_WINE_ARCH" = win32 ]; then echo "Windows NT x86"; else echo "Windows x64"; fi
}

# .reg lines (UTF-8) of one printer: NAME DRIVER PORT.
vx_printer_reg() {
    local name=$1 driver=$2 port=$3
    cat <<EOF
[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Print\\Printers\\$name]
"Name"=$(vx_reg_quote "$name")
"Port"=$(vx_reg_quote "$port")
"Printer Driver"=$(vx_reg_quote "$driver")
"Print Processor"="winprint"
"Datatype"="RAW"
"Attributes"=dword:00000040

[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Print\\Environments\\$(vx_print_environment)\\Drivers\\Version-3\\$driver]
"Driver"="wineps.drv"
"Data File"="wineps.drv"
"Configuration File"="wineps.drv"

EOF
}

# Everything the template adds to a fresh prefix, as one .reg text. $1: the
# Unix path the raw jobs for "LPT1:" go to.
vx_template_reg() {
    local spool=$1 n
    echo "Windows Registry Editor Version 5.00"
    echo
    echo "[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]"
    for n in "ＭＳ Ｐゴシック" "MS PGothic" "MS UI Gothic"; do echo "\"$n\"=\"IPAPGothic\""; done
    for n in "ＭＳ ゴシック" "MS Gothic"; do echo "\"$n\"=\"IPAGothic\""; done
    echo
    # Unmanaged windows: no 2 s wait on exit without a window manager, and Wine
    # draws the title bar itself.
    echo "[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]"
    echo '"Managed"="N"'
    echo
    echo "[HKEY_CURRENT_USER\\Software\\Wine\\DllOverrides]"
    echo '"winemenubuilder.exe"=""'
    echo '"mscoree"=""'
    echo '"mshtml"=""'
    echo
    echo "[HKEY_CURRENT_USER\\Software\\Wine\\Printing\\Spooler]"
    echo "\"LPT1:\"=$(vx_reg_quote "$spool")"
    echo
    vx_printer_reg "$VX_PRINTER_NAME" "$VX_PRINTER_DRIVER" "LPT1:"
}

# What the template is made from; a change makes it stale.
vx_template_stamp() {
    {
        declare -f vx_wine_make_template vx_template_reg vx_printer_reg vx_print_environment \
            vx_private_user_folders
        echo "$VX_PRINTER_NAME $VX_PRINTER_DRIVER $VX_WINE_ARCH"
        wine --version
        # A prefix made before wine32 came (or went) cannot start anything afterwards.
        dpkg-query -W -f='${Package}:${Architecture} ${Version} ${Status}\n' 'wine32*' 'wine64*' 'libwine*'
    } 2>/dev/null | sha256sum | cut -d' ' -f1
}

vx_spool_path() { echo "$1/drive_c/test-io/spool-lpt.bin"; }

# Wine links the user's Documents, Desktop and the like to the Unix home folder:
# they become folders of the prefix, so nothing a program saves there leaves it.
vx_private_user_folders() {
    local link
    for link in "$1"/drive_c/users/*/*; do
        [ -L "$link" ] || continue
        rm -f "$link" && mkdir "$link" || return 1
    done
}

vx_wine_make_template() {
    local t=$VX_WINE_TEMPLATE tmp=$VX_WINE_TEMPLATE.new log=$VX_WINE_TEMPLATE.log
    local start=$SECONDS
    vx_log "making the template prefix $t"
    rm -rf "$tmp" "$t"
    mkdir -p "$tmp"
    : >"$log"
    if ! (
        vx_wine_env ja_JP.UTF-8
        export WINEPREFIX=$tmp WINEARCH=$VX_WINE_ARCH
        unset DISPLAY
        # The spool path names the template's final place; copies rewrite it.
        mkdir -p "$tmp/drive_c/test-io" &&
            wineboot -i </dev/null &&
            vx_private_user_folders "$tmp" &&
            cp /usr/share/wine/fonts/{marlett,tahoma,tahomabd}.ttf "$tmp/drive_c/windows/Fonts/" &&
            # regedit reads a version 5 file as UTF-16: the full-width font names survive.
            {
                printf '\xff\xfe'
                vx_template_reg "$(vx_spool_path "$t")" | sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE
            } >"$tmp/drive_c/test-io/template.reg" &&
            wine regedit /S 'C:\test-io\template.reg' </dev/null &&
            wineserver -w &&
            rm -f "$tmp/drive_c/test-io/template.reg" "$tmp/dosdevices/lpt1"
    ) >>"$log" 2>&1; then
        vx_log "failed; see $log"
        (WINEPREFIX=$tmp wineserver -k >/dev/null 2>&1 || true)
        return 1
    fi
    grep -q "IPAPGothic" "$tmp/user.reg" && grep -q "Printer Driver" "$tmp/system.reg" || {
        vx_log "the registry settings did not arrive; see $log"
        return 1
    }
    vx_template_stamp >"$tmp/.vx-template-stamp"
    mv "$tmp" "$t"
    vx_log "template ready in $((SECONDS - start)) s"
}

# Makes the template when it is missing or stale. Safe against parallel callers.
vx_wine_template() {
    vx_wine_locale || return 1
    mkdir -p "$(dirname "$VX_WINE_TEMPLATE")"
    (
        flock 9
        [ -f "$VX_WINE_TEMPLATE/.vx-template-stamp" ] &&
            [ "$(cat "$VX_WINE_TEMPLATE/.vx-template-stamp")" = "$(vx_template_stamp)" ] &&
            exit 0
        vx_wine_make_template
    ) 9>"$VX_WINE_TEMPLATE.lock"
}

# Fresh prefix DIR from the template (made first if needed). Everything is
# copied (as cp -a would) except the builtin DLL folders system32 and winsxs,
# whose files are hard links: Wine writes there only when it updates a prefix,
# and linking them saves 650 MB per copy. One tar pipe rather than a cp per
# entry: 0.2 s instead of 2 s on a busy machine.
vx_wine_prefix_copy() {
    local dir=$1 t=$VX_WINE_TEMPLATE
    [ -n "$dir" ] || {
        vx_log "copy: no directory given"
        return 1
    }
    dir=$(mkdir -p "$dir" && cd "$dir" && pwd) || return 1
    vx_wine_prefix_remove "$dir" || return 1
    vx_wine_template || return 1
    mkdir -p "$dir" || return 1
    (
        flock -s 9
        tar -C "$t" --exclude=./drive_c/windows/system32 --exclude=./drive_c/windows/winsxs \
            -cf - . | tar -C "$dir" -xpf - &&
            cp -al "$t/drive_c/windows/system32" "$t/drive_c/windows/winsxs" "$dir/drive_c/windows/"
    ) 9>"$t.lock" || {
        vx_log "could not copy the template to $dir"
        return 1
    }
    # Point the "LPT1:" spool file into this prefix.
    local old new reg
    old=$(vx_reg_quote "$(vx_spool_path "$t")")
    new=$(vx_reg_quote "$(vx_spool_path "$dir")")
    reg=$(<"$dir/user.reg")
    printf '%s\n' "${reg//"$old"/"$new"}" >"$dir/user.reg"
    grep -qF -- "$new" "$dir/user.reg" || {
        vx_log "could not point the spool file into $dir"
        return 1
    }
}

# Removes a prefix made by vx_wine_prefix_copy (its server must be gone).
vx_wine_prefix_remove() {
    local dir=$1
    [ -d "$dir" ] || return 0
    if [ -e "$dir/system.reg" ] || [ -e "$dir/drive_c" ] || [ -z "$(ls -A "$dir")" ]; then
        rm -rf "$dir"
    else
        vx_log "refusing to remove $dir: not a Wine prefix"
        return 1
    fi
}

# Starts the pseudo-terminal standing in for "LPT1:" in prefix DIR; sets
# VX_FAKE_LPT_PID. Extra arguments go to fake_lpt.py.
vx_fake_lpt_start() {
    local dir=$1
    shift
    local io=$dir/drive_c/test-io i
    mkdir -p "$io"
    rm -f "$dir/dosdevices/lpt1"
    # Debian's interpreter when there is one: version-manager shims cost ~0.5 s a start.
    local python=python3
    [ -x /usr/bin/python3 ] && python=/usr/bin/python3
    "$python" "$VX_ROOT/tests/e2e/fake_lpt.py" "$dir/dosdevices/lpt1" \
        --reply "$VX_LPT_DEFAULT_REPLY" --reply-file "$io/lpt-reply.bin" \
        --log "$io/lpt-received.bin" "$@" </dev/null >"$io/fake_lpt.log" 2>&1 &
    VX_FAKE_LPT_PID=$!
    for i in $(seq 200); do
        [ -L "$dir/dosdevices/lpt1" ] && return 0
        kill -0 "$VX_FAKE_LPT_PID" 2>/dev/null || break
        sleep 0.02
    done
    vx_log "fake LPT1 did not start; see $io/fake_lpt.log"
    return 1
}

vx_fake_lpt_stop() { vx_background_stop VX_FAKE_LPT_PID; }

# Starts the prefix's server so that it outlives every program and does not
# hold the caller's output open, then runs the system services once.
vx_wine_server_start() {
    wineserver -p </dev/null >/dev/null 2>&1
    wine cmd /c exit </dev/null >/dev/null 2>&1
}

# Ends every process of the current WINEPREFIX and its server.
vx_wine_server_stop() {
    [ -n "${WINEPREFIX:-}" ] || return 0
    timeout 20 wineserver -k </dev/null >/dev/null 2>&1 || true
    timeout 20 wineserver -w </dev/null >/dev/null 2>&1 || true
}

# Starts Xvfb on a free display; sets VX_XVFB_PID and exports DISPLAY.
vx_xvfb_start() {
    local f i
    f=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$f" </dev/null >/dev/null 2>&1 &
    VX_XVFB_PID=$!
    for i in $(seq 200); do
        if [ -s "$f" ]; then
            export DISPLAY=:$(tr -dc 0-9 <"$f")
            rm -f "$f"
            return 0
        fi
        kill -0 "$VX_XVFB_PID" 2>/dev/null || break
        sleep 0.05
    done
    rm -f "$f"
    vx_log "Xvfb did not start"
    return 1
}

vx_xvfb_stop() { vx_background_stop VX_XVFB_PID; }

# Ends the background process whose id the variable named $1 holds, if any, and
# empties the variable.
vx_background_stop() {
    local pid=${!1:-}
    [ -n "$pid" ] || return 0
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    printf -v "$1" '%s' ""
}

# Makes DIR, a fresh copy of the template, the current prefix (WINEPREFIX) with
# the environment of LOCALE (default ja_JP.UTF-8), and arranges for
# vx_wine_prefix_leave to run when the caller exits. CLEANUP, a command without
# arguments, is the caller's own part of leaving.
#   vx_wine_prefix_enter DIR [LOCALE [CLEANUP]]
vx_wine_prefix_enter() {
    vx_wine_prefix_copy "$1" || return 1
    vx_wine_env "${2:-ja_JP.UTF-8}"
    export WINEPREFIX=$1
    VX_PREFIX_CLEANUP=${3:-}
    trap vx_wine_prefix_leave EXIT
    trap 'exit 130' INT TERM
}

# Ends every process of the prefix, the fake printer and the X server started
# here, then runs the caller's CLEANUP (see vx_wine_prefix_enter).
vx_wine_prefix_leave() {
    vx_wine_server_stop
    vx_fake_lpt_stop
    vx_xvfb_stop
    [ -z "${VX_PREFIX_CLEANUP:-}" ] || "$VX_PREFIX_CLEANUP"
}

# The one start-up sequence of a session under Wine in a prefix of its own: a
# server left from an earlier session of DIR is stopped, DIR is made afresh from
# the template and entered (vx_wine_prefix_enter, so that all of it stops when
# the caller exits and CLEANUP runs), the fake printer answers on "LPT1:", an X
# server of our own starts (X = always; with X = headless only when there is no
# $DISPLAY) and one wineserver lives for the session.
#   vx_wine_session DIR always|headless [CLEANUP]
vx_wine_session() {
    WINEPREFIX=$1 vx_wine_server_stop
    vx_wine_prefix_enter "$1" ja_JP.UTF-8 "${3:-}" || return 1
    vx_fake_lpt_start "$1" || return 1
    if [ "$2" = always ] || [ -z "${DISPLAY:-}" ]; then
        vx_xvfb_start || return 1
    fi
    vx_wine_server_start
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    set -uo pipefail
    case ${1:-} in
        template) vx_wine_template ;;
        copy) vx_wine_prefix_copy "${2:?usage: $0 copy DIR}" ;;
        xvfb)
            vx_xvfb_start || exit 1
            echo "$DISPLAY $VX_XVFB_PID"
            ;;
        *)
            echo "usage: $0 template | copy DIR | xvfb" >&2
            exit 2
            ;;
    esac
fi
