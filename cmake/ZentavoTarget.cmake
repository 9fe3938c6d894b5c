# Compiler settings shared by every Zentavo target.
#
# -ffp-contract=off: every intermediate is rounded to a double, as the printed
# results were computed; a fused multiply-add would change last digits.
function(zentavo_target_defaults target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -ffp-contract=off)
    if(ZENTAVO_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
    if(ZENTAVO_SANITIZE)
        target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer
                                                 -fno-sanitize-recover=undefined)
        target_link_options(${target} PRIVATE -fsanitize=address,undefined)
    endif()
    if(ZENTAVO_FUZZ)
        zentavo_fuzz_instrument(${target})
    endif()
endfunction()

# A library whose sources are every .cpp/.h in its folder (sub-folders excluded).
function(zentavo_library target dir)
    file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${dir})
    zentavo_target_defaults(${target})
endfunction()
