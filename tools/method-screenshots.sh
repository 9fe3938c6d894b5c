#!/usr/bin/env bash
# Opens the input dialogs of the newer calculation types one after another in the desktop program
# under a virtual X server, through the tree's context menu, and saves a PNG of each as it opens
# (screenshots/method-CODE.png).
# Usage: tools/method-screenshots.sh [BUILD_DIR]      (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

if [ "${1:-}" != "--inside" ]; then
    tools/install-deps.sh --screenshots
    build=${1:-build}
    if [ ! -x "$build/app/zentavo" ]; then
        cmake -S . -B "$build" -G Ninja -DZENTAVO_WERROR=ON >/dev/null
        cmake --build "$build" --target zentavo
    fi
    exec xvfb-run -a -s "-screen 0 1280x860x24 -dpi 96" "$0" --inside "$build"
fi

build=$2
out=$root/screenshots
mkdir -p "$out"
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

# The user's settings, recent files and vocabulary stay untouched.
export XDG_CONFIG_HOME=$work/config
export ZENTAVO_INI=$root/resources/Zentavo.ini
export LC_ALL=C.UTF-8

shot() {
    sleep "${2:-0.6}"
    import -window root "$out/$1.png"
    echo "saved screenshots/$1.png"
}
key() {
    xdotool key --clearmodifiers "$@"
    sleep 0.3
}
type_text() {
    xdotool type --delay 40 "$1"
    sleep 0.2
}

openbox >/dev/null 2>&1 &
pids+=($!)
sleep 1

"$build/app/zentavo" &
pids+=($!)
window=$(xdotool search --sync --onlyvisible --name ' - Zentavo' | head -n 1)
sleep 2
xdotool windowactivate --sync "$window"
sleep 0.5

# Opens the calculation the context menu reaches with these keys (from the head folder:
# Describe, Compare, Contingency tables, ...) and waits for its dialog.
open_calc() {
    xdotool windowactivate --sync "$window"
    sleep 0.3
    key Home
    key Menu
    key "$@" Return
    sleep 1
}

# Context-menu keys from the head folder to each newer type, as the type tree orders them (the
# menu and each submenu open with their first item highlighted).
declare -A paths=(
    [1130]="Right Right Down Down"
    [1500]="Right Down Down Down Down"
    [1600]="Right Down Down Down Down Down"
    [2640]="Down Right Down Down Down Down Down Right Down Down Down"
    [2700]="Down Right Down Down Down Down Down Down"
    [3400]="Down Down Right Down Down Down"
    [3500]="Down Down Right Down Down Down Down"
    [3600]="Down Down Right Down Down Down Down Down"
    [4180]="Down Down Down Right Right Down Down Down Down Down Down Down"
    [4410]="Down Down Down Right Down Down Down Right"
    [4420]="Down Down Down Right Down Down Down Right Down"
    [5400]="Down Down Down Down Right Down Down Down"
    [5500]="Down Down Down Down Right Down Down Down Down"
)
for code in 1130 1500 1600 2640 2700 3400 3500 3600 4180 4410 4420 5400 5500; do
    # shellcheck disable=SC2086
    open_calc ${paths[$code]}
    shot "method-$code"
    key Escape
done
