#!/usr/bin/env bash
# Runs a Windows program of the MinGW-w64 build under Wine (the preset's test emulator): a
# Wine prefix of its own inside the build folder, no Wine debug chatter, the exit code passed on.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
export WINEPREFIX="${WINEPREFIX:-$here/build-mingw/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}" # no .NET or Gecko installer prompts
# Wine names files on the Linux side in the character set of its locale: under LC_ALL=C a name
# outside ASCII would be mangled. The Windows programs take no locale from these variables.
ctype="${LC_ALL:-${LC_CTYPE:-${LANG:-C}}}" # the first one set decides
case "$ctype" in
    *UTF-8* | *utf8*) ;;
    *) export LC_ALL=C.UTF-8 ;;
esac
wine=$(command -v wine64 || true)
[ -n "$wine" ] || wine=/usr/lib/wine/wine64
exec "$wine" "$@"
