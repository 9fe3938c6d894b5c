# The desktop packages, one per platform (tools/package-desktop.sh makes them): on Linux the
# Debian package, on Windows an installer, on macOS a disk image with the application bundle.
#
# The Debian package: `cpack -G DEB` in the build folder writes zentavo_<version>-1_<arch>.deb.
# Its dependencies are computed from the binaries (dpkg-shlibdeps), the binaries are stripped,
# and the desktop, MIME and icon caches are refreshed by dpkg triggers, not maintainer scripts.
set(CPACK_PACKAGE_NAME zentavo)
set(CPACK_PACKAGE_VENDOR "The Zentavo developers")
set(CPACK_PACKAGE_CONTACT "The Zentavo developers <zentavo@example.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "statistics calculator for epidemiologists")
set(CPACK_PACKAGE_DESCRIPTION
    "Zentavo keeps a document of calculations (describing proportions, rates, means and medians;
comparing them; 2x2 tables, stratified or not, and R x C tables; sample sizes and precision)
and writes a formatted report with confidence intervals for each one. Reports can be printed
and exported as text, HTML, PDF or ODF text. The command-line tool zentavo-cli runs the same
calculations and exports without a screen.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/;/build.*/")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://zentavo.example.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own dialogs (file, print, message-box buttons) in the language of the vocabulary.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")
# Reports line up in a fixed-pitch face metric-compatible with the one they were written in.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/packaging/triggers)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)


if(WIN32)
    include(${CMAKE_CURRENT_LIST_DIR}/ZentavoPackagingWindows.cmake)
elseif(APPLE)
    include(${CMAKE_CURRENT_LIST_DIR}/ZentavoPackagingMacOS.cmake)
else()
    set(CPACK_GENERATOR DEB)
    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
endif()

include(CPack)
