#!/usr/bin/env bash
# Opens the input dialogs of the table, list and sampling calculations one after another in the
# desktop program under a virtual X server, through the tree's context menu, and saves a PNG of
# each.
# With --methods it opens the newer calculation types' dialogs instead (screenshots/method-CODE.png).
# Usage: tools/dialog-screenshots.sh [--methods] [BUILD_DIR]      (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

if [ "${1:-}" = "--methods" ]; then
    export DIALOG_SET=methods
    shift
fi
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

# Opens the calculation the context menu reaches with these keys (the menu opens on its first
# folder, Describe; each submenu on its first item; from the head folder:
# Describe, Compare, Contingency tables, ...) and waits for its dialog.
open_calc() {
    xdotool windowactivate --sync "$window"
    sleep 0.3
    key Home
    key Menu
    key "$@" Return
    sleep 1
}

if [ "${DIALOG_SET:-}" = methods ]; then
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
    exit 0
fi

# Unstratified 2x2 table: the four cells follow the title, the level radios between.
open_calc Down Down Right Down
key shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab
for value in 12 8 30 50; do
    type_text "$value"
    key Tab
done
shot dialog-3200-unstratified
key Escape

# Stratified tables: the first stratum's cells, then two strata added with their cells.
open_calc Down Down Right Down Down
key shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab
for stratum in "5 7 11 13" "3 4 8 9" "6 2 10 12"; do
    for value in $stratum; do
        type_text "$value"
        key Tab
    done
    if [ "$stratum" != "6 2 10 12" ]; then
        key Tab space
    fi
done
shot dialog-3300-stratified
key Escape

# General R x C table: a few cells of the 6 x 6 grid.
open_calc Down Down Right
key Tab
for value in 10 20 30; do
    type_text "$value"
    key Tab
done
shot dialog-3100-rxc
key Escape

# Several proportions, with two rows added.
open_calc Down Right Down
key Tab
for row in "25 120" "40 130"; do
    set -- $row
    type_text "$1"
    key Tab
    type_text "$2"
    key Tab space
done
shot dialog-2200-proportions
key Escape

# Trend in proportions, with two rows added.
open_calc Down Right Down Down
key Tab
for row in "1 10 40" "2 15 35"; do
    set -- $row
    type_text "$1"
    key Tab
    type_text "$2"
    key Tab
    type_text "$3"
    key Tab space
done
shot dialog-2300-trend
key Escape

# Two means.
open_calc Down Right Down Down Down Down Down Right
shot dialog-2610-two-means
key Escape

# Sampling: the seven sample sizes, the six precisions and the four random-number dialogs, as
# they open (Sampling is the fourth folder; its groups are sample size, precision, random numbers).
sampling_dialog() { # group (1-3), item in the group (1-7), name
    local group=() item=()
    for ((i = 1; i < $1; i++)); do group+=(Down); done
    for ((i = 1; i < $2; i++)); do item+=(Down); done
    open_calc Down Down Down Right "${group[@]}" Right "${item[@]}"
    shot "dialog-$3"
    key Escape
}
names=(4110-size-mean 4120-size-rate 4130-size-proportion 4140-size-two-means 4150-size-two-rates
    4160-size-two-proportions 4170-size-case-control)
for i in "${!names[@]}"; do sampling_dialog 1 $((i + 1)) "${names[$i]}"; done
names=(4210-precision-mean 4220-precision-rate 4230-precision-proportion 4240-precision-two-means
    4250-precision-two-rates 4260-precision-two-proportions)
for i in "${!names[@]}"; do sampling_dialog 2 $((i + 1)) "${names[$i]}"; done
names=(4310-random-list 4320-random-groups 4330-random-grouped-list 4340-random-digits)
for i in "${!names[@]}"; do sampling_dialog 3 $((i + 1)) "${names[$i]}"; done
