# A private CUPS scheduler in a folder of its own, listening on a socket there and
# reaching nothing of the system's printing. Source it, then:
#   vx_private_cupsd DIR LOGLEVEL [EXTRA-CUPSD-LINE...]
# writes DIR's two configuration files and starts `cupsd -f` in the background; its
# process id is in VX_CUPSD_PID, its output in DIR/cupsd.out, and CUPS_SERVER points
# at its socket. The caller waits for it and stops it.
vx_private_cupsd() {
    local work=$1 loglevel=$2
    shift 2
    mkdir -p "$work"/{etc,spool/tmp,cache,state,log}
    chmod 1777 "$work/spool/tmp"
    cat >"$work/cups-files.conf" <<EOF
ServerRoot $work/etc
RequestRoot $work/spool
TempDir $work/spool/tmp
CacheDir $work/cache
StateDir $work/state
ServerBin /usr/lib/cups
DataDir /usr/share/cups
DocumentRoot /usr/share/cups/doc-root
ErrorLog $work/log/error_log
AccessLog $work/log/access_log
PageLog $work/log/page_log
Printcap $work/printcap
ServerKeychain $work/ssl
CreateSelfSignedCerts no
SystemGroup root
EOF
    # As another user than root, cupsd runs its filters as that user.
    [ "$(id -u)" = 0 ] || printf 'User %s\nGroup %s\n' "$(id -un)" "$(id -gn)" >>"$work/cups-files.conf"
    {
        echo "Listen $work/cups.sock"
        echo "LogLevel $loglevel"
        echo "Browsing No"
        echo "WebInterface No"
        local line
        for line in "$@"; do echo "$line"; done
        cat <<EOF
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
    } >"$work/cupsd.conf"
    command -v cupsd >/dev/null || PATH=$PATH:/usr/sbin
    cupsd -f -c "$work/cupsd.conf" -s "$work/cups-files.conf" </dev/null >"$work/cupsd.out" 2>&1 &
    VX_CUPSD_PID=$!
    export CUPS_SERVER=$work/cups.sock
}
