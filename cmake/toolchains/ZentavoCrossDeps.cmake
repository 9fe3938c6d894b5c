# The dependencies of a cross build (see mingw-w64.cmake): the host's header-only libraries
# (CLI11, nlohmann-json, Boost.Math) through a build-local folder of links, so that the host's
# /usr/include with its C library never reaches the cross compiler.
set(ZENTAVO_HOST_INCLUDE /usr/include CACHE PATH "Where the host's header-only libraries are")

set(headers ${CMAKE_BINARY_DIR}/host-headers)
file(MAKE_DIRECTORY ${headers})
foreach(name CLI nlohmann boost)
    if(NOT EXISTS ${ZENTAVO_HOST_INCLUDE}/${name})
        message(FATAL_ERROR "${ZENTAVO_HOST_INCLUDE}/${name} is missing: run tools/install-deps.sh --mingw")
    endif()
    file(CREATE_LINK ${ZENTAVO_HOST_INCLUDE}/${name} ${headers}/${name} SYMBOLIC)
endforeach()

# Each package is one imported target, seen everywhere; find_package looks in the redirect
# folder first and finds there that the package is present.
foreach(package IN ITEMS "CLI11=CLI11::CLI11" "nlohmann_json=nlohmann_json::nlohmann_json" "Boost=Boost::headers")
    string(REPLACE "=" ";" parts "${package}")
    list(GET parts 0 name)
    list(GET parts 1 target)
    add_library(${target} INTERFACE IMPORTED GLOBAL)
    set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${headers})
    string(TOLOWER ${name} lower)
    file(WRITE ${CMAKE_FIND_PACKAGE_REDIRECTS_DIR}/${lower}-config.cmake "# made by ZentavoCrossDeps.cmake\n")
    file(WRITE ${CMAKE_FIND_PACKAGE_REDIRECTS_DIR}/${lower}-config-version.cmake
         "set(PACKAGE_VERSION 99)\nset(PACKAGE_VERSION_COMPATIBLE TRUE)\n")
endforeach()
