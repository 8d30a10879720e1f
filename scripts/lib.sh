# Shared by the scripts: Xvfb displays and persistent wineservers, one per prefix.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
started_xvfbs=()
started_wineservers=()

# Starts an Xvfb display of the scripts' own and sets DISPLAY to it, whatever DISPLAY was:
# pixel tests must not run on a user's desktop with its colours and fonts. Called again, it
# starts one more display (for tests that run beside others).
start_display() { # [bits per pixel, default 24]
    local depth=${1:-24} number ready waited started_xvfb
    ready=$(mktemp)
    for number in $(seq 91 140); do
        [ -e "/tmp/.X${number}-lock" ] || [ -e "/tmp/.X11-unix/X${number}" ] && continue
        # Xvfb writes the display number to -displayfd once it accepts clients there.
        Xvfb ":${number}" -displayfd 3 -screen 0 "1280x1024x${depth}" -nolisten tcp 3>"$ready" >/dev/null 2>&1 &
        started_xvfb=$!
        waited=0
        while [ ! -s "$ready" ] && kill -0 "$started_xvfb" 2>/dev/null && [ $waited -lt 300 ]; do
            sleep 0.1
            waited=$((waited + 1))
        done
        if [ -s "$ready" ]; then
            rm -f "$ready"
            started_xvfbs+=("$started_xvfb")
            export DISPLAY=":${number}"
            return
        fi
        kill "$started_xvfb" 2>/dev/null
    done
    rm -f "$ready"
    echo "could not start Xvfb (package xvfb)" >&2
    exit 1
}

start_wineserver() { # prefix [wineserver]
    local prefix server=${2:-/usr/lib/wine/wineserver}
    prefix=$(readlink -m "$1")
    mkdir -p "$prefix"
    WINEPREFIX="$prefix" "$server" -p
    started_wineservers+=("$prefix|$server")
}

stop_services() {
    local entry
    for entry in "${started_wineservers[@]}"; do
        WINEPREFIX="${entry%%|*}" "${entry##*|}" -k 2>/dev/null || true
    done
    for entry in "${started_xvfbs[@]}"; do
        kill "$entry" 2>/dev/null || true
    done
}
