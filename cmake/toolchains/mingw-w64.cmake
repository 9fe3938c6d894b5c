# Cross build for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64-posix: the
# posix thread model, which std::thread and std::mutex need). Everything is linked statically,
# so the programs and tests run without a DLL beside them (also under Wine).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ZENTAVO_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZENTAVO_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZENTAVO_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${ZENTAVO_MINGW_TRIPLET}-windres)

# Libraries and headers come from the cross root only; programs run during the build (the
# manual's renderer, gzip) are the host's. The header-only libraries and GoogleTest are reached
# through cmake/toolchains/ZentavoCrossDeps.cmake, never through /usr/include.
set(CMAKE_FIND_ROOT_PATH /usr/${ZENTAVO_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(ZENTAVO_CROSS_DEPS ON CACHE BOOL "Header-only libraries from the host through links")
set(ZENTAVO_GTEST_FROM_SOURCE ON CACHE BOOL "GoogleTest built for the target")
