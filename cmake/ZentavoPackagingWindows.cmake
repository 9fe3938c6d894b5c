# The Windows installer (NSIS): Zentavo in "Program Files\Zentavo" (bin\ with the programs, the
# Qt runtime and the C++ runtime, share\zentavo\ with the vocabulary and the manual, which the
# programs find from bin\), a Start-menu entry, the .zna document type, and an uninstaller.
include(${CMAKE_CURRENT_LIST_DIR}/ZentavoQtDeploy.cmake)

set(CPACK_GENERATOR NSIS)
set(CPACK_PACKAGE_FILE_NAME Zentavo-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Zentavo)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Zentavo)
set(CPACK_PACKAGE_EXECUTABLES zentavo Zentavo) # the Start-menu entry: bin\zentavo.exe as "Zentavo"
set(CPACK_NSIS_PACKAGE_NAME Zentavo)
set(CPACK_NSIS_DISPLAY_NAME Zentavo)
set(CPACK_NSIS_URL_INFO_ABOUT ${CPACK_DEBIAN_PACKAGE_HOMEPAGE})
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_INSTALLED_ICON_NAME "bin\\\\zentavo.exe") # the icon in Apps & features
set(CPACK_NSIS_MUI_ICON ${PROJECT_BINARY_DIR}/packaging/windows/zentavo.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_BINARY_DIR}/packaging/windows/zentavo.ico)
set(CPACK_NSIS_MUI_FINISHPAGE_RUN zentavo.exe)
# The document type: registered by the installer, removed by the uninstaller.
set(nsh ${PROJECT_SOURCE_DIR}/packaging/windows/zentavo-file-type.nsh)
# (CPack writes these values into its configuration unquoted: the quotes need one more escape.)
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "!include \\\"${nsh}\\\"\n!insertmacro ZentavoRegisterFileType")
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "!include \\\"${nsh}\\\"\n!insertmacro ZentavoUnregisterFileType")

# The C++ runtime beside the programs, so nothing else has to be installed first.
set(CMAKE_INSTALL_SYSTEM_RUNTIME_DESTINATION ${CMAKE_INSTALL_BINDIR})
include(InstallRequiredSystemLibraries)

zentavo_find_qt_deploy_tool(deploy)
if(deploy)
    # Both programs share the Qt libraries in bin\; Qt's own translations come along for its
    # dialogs. The C++ runtime is installed above, not as Microsoft's redistributable installer.
    install(CODE "
        set(bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
        execute_process(COMMAND \"${deploy}\" --no-compiler-runtime --no-system-d3d-compiler --no-opengl-sw
                                --dir \"\${bin}\" \"\${bin}/zentavo.exe\" \"\${bin}/zentavo-cli.exe\"
                        RESULT_VARIABLE status)
        if(NOT status EQUAL 0)
            message(FATAL_ERROR \"windeployqt failed (\${status})\")
        endif()")
endif()
