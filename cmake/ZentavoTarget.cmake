# Compiler settings shared by every Zentavo target, for GCC, Clang (also Apple's) and MSVC.
#
# Every intermediate is rounded to a double, as the printed results were computed: no fused
# multiply-add (-ffp-contract=off; MSVC's /fp:precise contracts nothing) and never fast math,
# which reorders sums and drops the care for NaN that several loops rely on.

# Fast math asked for anywhere in the flags would change printed digits: refuse to configure.
foreach(flags_var CMAKE_CXX_FLAGS CMAKE_CXX_FLAGS_DEBUG CMAKE_CXX_FLAGS_RELEASE CMAKE_CXX_FLAGS_RELWITHDEBINFO
                  CMAKE_CXX_FLAGS_MINSIZEREL)
    if("${${flags_var}}" MATCHES "(^| )(-ffast-math|-Ofast|[-/]fp:fast)( |$)")
        message(FATAL_ERROR "${flags_var} asks for fast math ('${CMAKE_MATCH_2}'): Zentavo's printed digits depend "
                            "on every intermediate being rounded as written. Remove it from ${flags_var}.")
    endif()
endforeach()

if(MSVC)
    set(ZENTAVO_CXX_WARNINGS /W4 /permissive- /utf-8 /fp:precise /Zc:__cplusplus /EHsc)
    set(ZENTAVO_CXX_WERROR /WX)
else()
    set(ZENTAVO_CXX_WARNINGS -Wall -Wextra -ffp-contract=off)
    set(ZENTAVO_CXX_WERROR -Werror)
endif()

function(zentavo_target_defaults target)
    target_compile_options(${target} PRIVATE ${ZENTAVO_CXX_WARNINGS})
    if(WIN32)
        # The wide Windows calls throughout; no min/max macros over the standard ones.
        target_compile_definitions(${target} PRIVATE UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN)
    endif()
    if(ZENTAVO_WERROR)
        target_compile_options(${target} PRIVATE ${ZENTAVO_CXX_WERROR})
    endif()
    if(ZENTAVO_SANITIZE)
        if(MSVC)
            message(FATAL_ERROR "ZENTAVO_SANITIZE needs GCC or Clang")
        endif()
        target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer
                                                 -fno-sanitize-recover=undefined)
        target_link_options(${target} PRIVATE -fsanitize=address,undefined)
    endif()
    if(ZENTAVO_FUZZ)
        zentavo_fuzz_instrument(${target})
    endif()
endfunction()

# Precompiles `headers` (as <name>) for `target`: GoogleTest, Qt, CLI11 and JSON take more time to
# parse than most files that include them take to compile.
function(zentavo_precompile target)
    if(ZENTAVO_PCH)
        list(TRANSFORM ARGN PREPEND "<" OUTPUT_VARIABLE headers)
        list(TRANSFORM headers APPEND ">")
        target_precompile_headers(${target} PRIVATE ${headers})
    endif()
endfunction()

# A library whose sources are every .cpp/.h in its folder (sub-folders excluded).
function(zentavo_library target dir)
    file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${dir})
    zentavo_target_defaults(${target})
endfunction()
