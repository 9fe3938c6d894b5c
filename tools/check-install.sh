#!/usr/bin/env bash
# Installs a build into a temporary prefix (stripped, as the package is) and checks every
# installed file: the two programs, the vocabulary, the desktop entry, the MIME type with its
# magic rule, the icons, the AppStream description, the manual pages, the manual (help) and the
# copyright file.
# With --deb it also builds the Debian package with CPack and checks its control data.
# Usage: tools/check-install.sh [--deb] [BUILD_DIR]      (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
deb=0
if [ "${1:-}" = "--deb" ]; then
    deb=1
    shift
fi
build=${1:-build}
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
prefix=$root/usr
fail() {
    echo "check-install: $*" >&2
    exit 1
}

cmake --install "$build" --prefix "$prefix" --strip >/dev/null
share=$prefix/share
gui=0
[ -e "$prefix/bin/zentavo" ] && gui=1

files=(bin/zentavo-cli share/zentavo/Zentavo.ini share/man/man1/zentavo-cli.1.gz share/doc/zentavo/copyright)
# The manual: each page rendered, and its Markdown for zentavo-cli help CODE.
for page in docs/*.md; do
    name=$(basename "$page" .md)
    files+=("share/zentavo/help/$name.html" "share/zentavo/help/$name.md")
done
for lang in de es fr it pt; do
    files+=("share/zentavo/lang/Zentavo.$lang.ini")
done
if [ $gui -eq 1 ]; then
    files+=(bin/zentavo share/man/man1/zentavo.1.gz share/applications/zentavo.desktop
            share/mime/packages/zentavo.xml share/metainfo/zentavo.metainfo.xml
            share/icons/hicolor/scalable/apps/zentavo.svg)
    for size in 16 22 24 32 48 64 128 256; do
        files+=("share/icons/hicolor/${size}x${size}/apps/zentavo.png")
    done
fi
for f in "${files[@]}"; do
    [ -s "$prefix/$f" ] || fail "missing or empty: $f"
done

# Nothing installed beyond the list.
extra=$(cd "$prefix" && find . -type f | sed 's|^\./||' | sort | comm -23 - <(printf '%s\n' "${files[@]}" | sort))
[ -z "$extra" ] || fail "unexpected installed files: $extra"

for program in "$prefix"/bin/*; do
    file -b "$program" | grep -q ', stripped' || fail "not stripped: $program"
done
"$prefix/bin/zentavo-cli" types | grep -q . || fail "zentavo-cli types printed nothing"
page=$("$prefix/bin/zentavo-cli" help 3200) || fail "zentavo-cli help 3200 failed"
grep -q "^Worked example" <<<"$page" || fail "zentavo-cli help 3200 lacks its page"
grep -q 'href="calc-1120.html"' "$share/zentavo/help/calc-1110.html" || fail "manual links still name .md pages"
# The translations are found beside the installed vocabulary.
env -u ZENTAVO_INI XDG_CONFIG_HOME="$root/config" "$prefix/bin/zentavo-cli" --lang fr types | grep -q 'Décrire' ||
    fail "zentavo-cli --lang fr does not read the French vocabulary"
version=$("$prefix/bin/zentavo-cli" --version)
for page in "$share"/man/man1/*.1.gz; do
    LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null | grep . && fail "manual page warnings: $page"
done

if [ $gui -eq 1 ]; then
    [ "$(QT_QPA_PLATFORM=offscreen "$prefix/bin/zentavo" --version)" = "$version" ] ||
        fail "zentavo --version differs from zentavo-cli --version ($version)"
    QT_QPA_PLATFORM=offscreen "$prefix/bin/zentavo" --help | grep -q -- '--print' || fail "zentavo --help lacks --print"
    desktop-file-validate "$share/applications/zentavo.desktop" | grep -v ': hint: ' | grep . &&
        fail "desktop-file-validate complained"
    appstreamcli validate --no-net "$share/metainfo/zentavo.metainfo.xml" >/dev/null ||
        fail "appstreamcli validate failed"
    for size in 16 22 24 32 48 64 128 256; do
        file -b "$share/icons/hicolor/${size}x${size}/apps/zentavo.png" | grep -q "PNG image data, $size x $size" ||
            fail "icon ${size}x${size} is not a $size px PNG"
    done

    # A saved document is known by its name and, renamed, by its first bytes.
    XDG_DATA_DIRS="$share" update-mime-database "$share/mime"
    sample=$root/sample.zna
    "$prefix/bin/zentavo-cli" run 1110 1023=50 1024=100 1022=Survey --doc "$sample" >/dev/null
    cp "$sample" "$root/renamed.bin"
    for f in "$sample" "$root/renamed.bin"; do
        type=$(env -u KDE_FULL_SESSION -u GNOME_DESKTOP_SESSION_ID XDG_CURRENT_DESKTOP= XDG_DATA_HOME="$root/none" \
               XDG_DATA_DIRS="$share" xdg-mime query filetype "$f")
        [ "$type" = "application/x-zentavo" ] || fail "xdg-mime names $(basename "$f") '$type'"
    done
fi

if [ $deb -eq 1 ]; then
    log=$(cd "$build" && cpack -G DEB 2>&1) || fail "cpack failed: $log"
    package=$(ls -t "$build"/zentavo_*.deb | head -n 1)
    control=$(dpkg-deb -f "$package")
    grep -q '^Depends: .*libc6' <<<"$control" || fail "the package names no computed dependencies"
    [ $gui -eq 0 ] || grep -q '^Depends: .*libqt6widgets6' <<<"$control" || fail "the package does not depend on Qt"
    dpkg-deb --ctrl-tarfile "$package" | tar -t | grep -q '^./triggers$' || fail "the package has no triggers"
    listed=$(dpkg-deb -c "$package" | awk '{print $NF}' | grep -v '/$' | sed 's|^\./usr/||' | sort)
    [ "$listed" = "$(printf '%s\n' "${files[@]}" | sort)" ] || fail "the package's files differ from the install"
    echo "check-install: $(basename "$package") checked"
fi
echo "check-install: $(printf '%s\n' "${files[@]}" | wc -l) installed files checked"
