# The macOS disk image (DragNDrop): Zentavo.app beside a link to /Applications. The bundle holds
# both programs in Contents/MacOS, the vocabulary, the languages and the manual in
# Contents/Resources/zentavo, and (after macdeployqt) the Qt frameworks and plugins.
include(${CMAKE_CURRENT_LIST_DIR}/ZentavoQtDeploy.cmake)

set(CPACK_GENERATOR DragNDrop)
set(CPACK_PACKAGE_FILE_NAME Zentavo-${PROJECT_VERSION}-macOS)
set(CPACK_DMG_VOLUME_NAME Zentavo)
set(CPACK_DMG_FORMAT UDZO)

zentavo_find_qt_deploy_tool(deploy)
if(deploy)
    # The command-line tool is deployed with the program, so both use the bundle's frameworks.
    # macdeployqt rewrites the binaries, which voids the linker's signature: the bundle is then
    # signed again for this machine (ad hoc); a release signs and notarises it with an identity.
    install(CODE "
        set(app \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/Zentavo.app\")
        execute_process(COMMAND \"${deploy}\" \"\${app}\" -always-overwrite
                                \"-executable=\${app}/Contents/MacOS/zentavo-cli\"
                        RESULT_VARIABLE status)
        if(NOT status EQUAL 0)
            message(FATAL_ERROR \"macdeployqt failed (\${status})\")
        endif()
        execute_process(COMMAND codesign --force --deep --sign - \"\${app}\" RESULT_VARIABLE status)
        if(NOT status EQUAL 0)
            message(FATAL_ERROR \"codesign failed (\${status})\")
        endif()")
endif()
