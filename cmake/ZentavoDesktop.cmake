# What the desktop program needs beyond Linux: on macOS an application bundle (Zentavo.app with
# its Info.plist declaring the .zna document type, the icon, and the vocabulary, the languages
# and the manual in Contents/Resources/zentavo); on Windows the icon in the executable and no
# console window. Linux builds are unchanged.

# The document type as the desktops know it. The MIME type is the one the Linux package declares
# (packaging/zentavo-mime.xml), so both stay one.
file(STRINGS ${PROJECT_SOURCE_DIR}/packaging/zentavo-mime.xml mime_line REGEX "<mime-type type=")
string(REGEX REPLACE ".*type=\"([^\"]+)\".*" "\\1" ZENTAVO_DOCUMENT_MIME "${mime_line}")
set(ZENTAVO_BUNDLE_ID org.example.zentavo)
set(ZENTAVO_DOCUMENT_UTI org.example.zentavo.analysis)
set(ZENTAVO_BUNDLE_EXECUTABLE Zentavo)
# The oldest macOS the bundle starts on: the build's target (the preset's), else Qt 6.8's oldest.
set(ZENTAVO_MACOS_MINIMUM 12.0)
if(CMAKE_OSX_DEPLOYMENT_TARGET)
    set(ZENTAVO_MACOS_MINIMUM ${CMAKE_OSX_DEPLOYMENT_TARGET})
endif()
# Filled in on every platform: tools/check-desktop-packaging.py checks the result on Linux too.
set(ZENTAVO_INFO_PLIST ${PROJECT_BINARY_DIR}/packaging/macos/Info.plist)
configure_file(${PROJECT_SOURCE_DIR}/packaging/macos/Info.plist.in ${ZENTAVO_INFO_PLIST} @ONLY)

# The program's icon for the other desktops, packed from the PNG files of the program's artwork.
function(zentavo_icon_file output option)
    find_package(Python3 REQUIRED COMPONENTS Interpreter)
    set(pngdir ${PROJECT_BINARY_DIR}/packaging/icon-sizes)
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
                $<TARGET_FILE:zentavo-render-icons> ${pngdir} 16 24 32 48 64 128 256 512 1024
        COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/packaging/make_icon_files.py ${pngdir} ${option} ${output}
        DEPENDS zentavo-render-icons ${PROJECT_SOURCE_DIR}/packaging/make_icon_files.py VERBATIM)
endfunction()

function(zentavo_desktop_program target)
    if(APPLE)
        set(icns ${PROJECT_BINARY_DIR}/packaging/macos/zentavo.icns)
        zentavo_icon_file(${icns} --icns)
        set_source_files_properties(${icns} PROPERTIES GENERATED ON MACOSX_PACKAGE_LOCATION Resources)
        target_sources(${target} PRIVATE ${icns})
        set_target_properties(${target} PROPERTIES MACOSX_BUNDLE ON OUTPUT_NAME ${ZENTAVO_BUNDLE_EXECUTABLE}
                                                   MACOSX_BUNDLE_INFO_PLIST ${ZENTAVO_INFO_PLIST})
        # The vocabulary, the languages and the manual, where the installed bundle has them too.
        set(resources $<TARGET_BUNDLE_CONTENT_DIR:${target}>/Resources/zentavo)
        add_custom_target(${target}_bundle_data ALL
            COMMAND ${CMAKE_COMMAND} -E copy_if_different ${PROJECT_SOURCE_DIR}/resources/Zentavo.ini
                    ${resources}/Zentavo.ini
            COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/resources/lang ${resources}/lang
            COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_BINARY_DIR}/app/help ${resources}/help
            VERBATIM)
        add_dependencies(${target}_bundle_data ${target} zentavo_help)
    elseif(WIN32)
        set(ico ${PROJECT_BINARY_DIR}/packaging/windows/zentavo.ico)
        zentavo_icon_file(${ico} --ico)
        set(ZENTAVO_ICO ${ico})
        set(rc ${PROJECT_BINARY_DIR}/packaging/windows/zentavo.rc)
        configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/zentavo.rc.in ${rc} @ONLY)
        set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${ico})
        target_sources(${target} PRIVATE ${rc} ${ico})
        set_target_properties(${target} PROPERTIES WIN32_EXECUTABLE ON)
    endif()
endfunction()
