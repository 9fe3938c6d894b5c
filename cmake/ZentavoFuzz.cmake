# The fuzzing build (ZENTAVO_FUZZ): every library is instrumented for libFuzzer's coverage
# feedback and checked by AddressSanitizer and UndefinedBehaviorSanitizer; the harnesses of
# fuzz/ link libFuzzer itself. Clang only; tools/fuzz.sh configures it in build-fuzz/.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "ZENTAVO_FUZZ needs clang (e.g. -DCMAKE_CXX_COMPILER=clang++-14)")
endif()

set(ZENTAVO_FUZZ_SANITIZERS address,undefined)

# Coverage instrumentation and sanitizers for a library or harness; undefined behaviour stops the
# run like a crash, so that libFuzzer saves the input.
function(zentavo_fuzz_instrument target)
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link,${ZENTAVO_FUZZ_SANITIZERS}
                                             -fno-sanitize-recover=undefined -fno-omit-frame-pointer -gline-tables-only)
    target_link_options(${target} PRIVATE -fsanitize=${ZENTAVO_FUZZ_SANITIZERS})
endfunction()
