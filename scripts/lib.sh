# Shared by the scripts: an Xvfb display and a persistent wineserver for one prefix.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
started_xvfb=""
started_wineservers=()

start_display() {
    if [ -n "${DISPLAY:-}" ] && [ -z "${VARNELLE_OWN_DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
        return
    fi
    local number
    for number in $(seq 91 140); do
        [ -e "/tmp/.X${number}-lock" ] || [ -e "/tmp/.X11-unix/X${number}" ] && continue
        Xvfb ":${number}" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        started_xvfb=$!
        export DISPLAY=":${number}"
        sleep 1
        if kill -0 "$started_xvfb" 2>/dev/null; then
            return
        fi
    done
    echo "could not start Xvfb" >&2
    exit 1
}

start_wineserver() { # prefix [wineserver]
    local prefix=$1 server=${2:-/usr/lib/wine/wineserver}
    mkdir -p "$prefix"
    WINEPREFIX="$prefix" "$server" -p
    started_wineservers+=("$prefix|$server")
}

stop_services() {
    local entry
    for entry in "${started_wineservers[@]}"; do
        WINEPREFIX="${entry%%|*}" "${entry##*|}" -k 2>/dev/null || true
    done
    [ -n "$started_xvfb" ] && kill "$started_xvfb" 2>/dev/null || true
}
