#!/usr/bin/env bash
# Starts the desktop program under a virtual X server (Xvfb) with a window manager and a sample
# document, and saves PNG screenshots into screenshots/: the start-up picture, the tree's
# context menu, an open input dialog, the main window with reports, a 2x2 table's report and
# dialog, the Calculation menu, the print preview of the 2x2 table, and the manual at that table's
# page and searched.
# Usage: tools/screenshots.sh [--lang CODE] [BUILD_DIR]      (default: English, build)
# With --lang the program and the sample document speak that language (en, de, es, fr, it, pt)
# and the screenshots go into screenshots/CODE/.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

if [ "${1:-}" != "--inside" ]; then
    lang=
    if [ "${1:-}" = "--lang" ]; then
        lang=${2:?--lang needs a language code}
        shift 2
    fi
    export ZENTAVO_SCREENSHOT_LANG=$lang
    tools/install-deps.sh --screenshots
    build=${1:-build}
    if [ ! -x "$build/app/zentavo" ] || [ ! -x "$build/cli/zentavo-cli" ]; then
        cmake -S . -B "$build" -G Ninja -DZENTAVO_WERROR=ON >/dev/null
        cmake --build "$build" --target zentavo zentavo-cli
    fi
    exec xvfb-run -a -s "-screen 0 1280x860x24 -dpi 96" "$0" --inside "$build"
fi

build=$2
lang=${ZENTAVO_SCREENSHOT_LANG:-}
out=$root/screenshots${lang:+/$lang}
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
cli=$build/cli/zentavo-cli
langopt=()
if [ -n "$lang" ]; then
    # The vocabulary beside the built programs, with its lang/ folder, instead of the source file.
    unset ZENTAVO_INI
    langopt=(--lang "$lang")
fi

shot() {
    sleep "${2:-0.6}"
    import -window root "$out/$1.png"
    echo "saved ${out#"$root"/}/$1.png"
}
key() {
    xdotool key --clearmodifiers "$@"
    sleep 0.4
}

openbox >/dev/null 2>&1 &
pids+=($!)
sleep 1

# A sample document made by the command-line tool, when it can; else calculations are made
# through the program's own menus below.
sample="$work/Sample study.zna"
made=0
if "$cli" "${langopt[@]}" run 1110 1023=37.5 1024=120 --doc "$sample" >/dev/null 2>&1 &&
    "$cli" "${langopt[@]}" run 1300 1027=4.8 1028=1.9 1024=64 --doc "$sample" >/dev/null 2>&1 &&
    "$cli" "${langopt[@]}" run 3200 1022="Smoking and cough" 1090=48 1091=152 1092=21 1093=279 --doc "$sample" >/dev/null 2>&1; then
    made=1
fi

if [ "$made" = 1 ]; then
    "$build/app/zentavo" "${langopt[@]}" "$sample" &
else
    "$build/app/zentavo" "${langopt[@]}" &
fi
pids+=($!)
window=$(xdotool search --sync --onlyvisible --name ' - Zentavo' | head -n 1)
shot startup 0.8
sleep 2
xdotool windowactivate --sync "$window"
sleep 0.5

# The tree's context menu at the head folder (the Menu key; it opens with its first item
# highlighted), opened down to a leaf.
key Home
key Menu
key Right Right
shot context-menu 0.3

# The new calculation's input dialog, filled in.
key Return
sleep 1
xdotool type --delay 60 "37.5"
key Tab
xdotool type --delay 60 "120"
shot input-dialog
key Return
sleep 1

# A second calculation (Describe > Mean), then the main window with the first report shown.
key Home
key Menu
key Right Down Down Return
sleep 1
xdotool type --delay 60 "4.8"
key Tab
xdotool type --delay 60 "1.9"
key Tab
xdotool type --delay 60 "64"
key Return
sleep 1
shot main-window

# The 2x2 table (the tree's last item): its report, then its dialog opened again with F5.
if [ "$made" = 1 ]; then
    xdotool windowactivate --sync "$window"
    xdotool mousemove --window "$window" 100 560 click 1
    sleep 0.3
    key End
    shot two-by-two-report 0.5
    key F5
    sleep 1
    shot two-by-two-dialog
    key Escape
    sleep 0.5
fi

# The menu bar's access keys are those of the English vocabulary: the last two pictures are
# taken in English only.
if [ -n "$lang" ] && [ "$lang" != en ]; then
    exit 0
fi

# The Calculation menu of the menu bar, opened from the keyboard down to a leaf.
key alt+c
key Down Right Right
shot calculation-menu 0.3
key Escape Escape Escape Escape

# The 2x2 table (the tree's last item) in the print preview: its columns as on the screen.
if [ "$made" = 1 ]; then
    xdotool windowactivate --sync "$window"
    xdotool mousemove --window "$window" 100 560 click 1
    sleep 0.3
    key End
    sleep 0.5
    key alt+f
    key v
    preview=$(xdotool search --sync --onlyvisible --name 'Print Preview' | head -n 1)
    xdotool windowmove "$preview" 20 20 windowsize "$preview" 1240 820
    sleep 1
    shot print-preview 0.5
    key Escape
fi

# The manual at the page of the calculation on show (F1), then a search in it.
xdotool windowactivate --sync "$window"
sleep 0.3
key F1
help=$(xdotool search --sync --onlyvisible --name '^Zentavo Help' | head -n 1)
xdotool windowmove "$help" 20 20 windowsize "$help" 1180 800
sleep 0.5
shot help-window 0.8
key ctrl+f
xdotool type --delay 40 "odds ratio"
key Return
shot help-search 0.8
key Escape
