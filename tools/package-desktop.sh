#!/usr/bin/env bash
# Makes this platform's desktop package from its build:
#   Linux    the Debian package, build/zentavo_<version>-1_<arch>.deb (building build/ first
#            when it is missing, as tools/test.sh does)
#   Windows  the installer, packages/Zentavo-<version>-win64.exe, from build-windows/ (preset
#            windows-msvc; run from Git Bash)
#   macOS    the disk image, packages/Zentavo-<version>-macOS.dmg, from build-macos/ (preset macos)
# `tools/package-desktop.sh deps` first installs what the build needs besides Qt: the Debian
# packages, the Homebrew formulae, or on Windows cmark-gfm (built into build-deps/; vcpkg brings
# the libraries while the preset configures).
set -euo pipefail
cd "$(dirname "$0")/.."

case "$(uname -s)" in
Linux) platform=linux ;;
Darwin) platform=macos ;;
MINGW* | MSYS* | CYGWIN*) platform=windows ;;
*)
    echo "package-desktop: no package for $(uname -s)" >&2
    exit 1
    ;;
esac

# CMake's packager, not another program of the same name earlier on the PATH (Chocolatey's).
cpack_program() {
    local dir
    dir=$(dirname "$(command -v cmake)")
    if [ -x "$dir/cpack" ] || [ -x "$dir/cpack.exe" ]; then
        echo "$dir/cpack"
    else
        echo cpack
    fi
}

install_deps() {
    case $platform in
    linux) tools/install-deps.sh ;;
    macos) brew install --quiet ninja cmark-gfm googletest cli11 nlohmann-json boost ;;
    windows)
        # The manual's renderer; the version Debian 12 has.
        local tag=0.29.0.gfm.13
        if [ ! -x build-deps/bin/cmark-gfm.exe ]; then
            rm -rf build-deps/src/cmark-gfm
            git clone --quiet --depth 1 --branch "$tag" https://github.com/github/cmark-gfm.git build-deps/src/cmark-gfm
            # Its CMakeLists asks for CMake 3.0, which CMake 4 no longer accepts without this.
            cmake -S build-deps/src/cmark-gfm -B build-deps/cmark-gfm -DCMARK_TESTS=OFF -DCMARK_SHARED=OFF \
                -DCMAKE_BUILD_TYPE=Release -DCMAKE_POLICY_VERSION_MINIMUM=3.5 >/dev/null
            cmake --build build-deps/cmark-gfm --config Release
            cmake --install build-deps/cmark-gfm --config Release --prefix build-deps >/dev/null
        fi
        ;;
    esac
}

package() {
    local cpack
    cpack=$(cpack_program)
    case $platform in
    linux)
        if [ ! -f build/CMakeCache.txt ]; then
            tools/install-deps.sh
            cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" >/dev/null
        fi
        cmake --build build
        (cd build && "$cpack" -G DEB)
        ls build/zentavo_*.deb
        ;;
    windows)
        "$cpack" --config build-windows/CPackConfig.cmake -C Release -G NSIS -B packages
        rm -rf packages/_CPack_Packages
        ls packages/Zentavo-*-win64.exe
        ;;
    macos)
        "$cpack" --config build-macos/CPackConfig.cmake -G DragNDrop -B packages
        rm -rf packages/_CPack_Packages
        ls packages/Zentavo-*-macOS.dmg
        ;;
    esac
}

case "${1:-}" in
deps) install_deps ;;
"") package ;;
*)
    echo "usage: tools/package-desktop.sh [deps]" >&2
    exit 1
    ;;
esac
