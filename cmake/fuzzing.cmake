# libFuzzer for the targets in tests/fuzz: every library is instrumented for the fuzzer's
# coverage and built with AddressSanitizer and UndefinedBehaviorSanitizer; the fuzz programs add
# libFuzzer's main. Needs clang (gcc has no libFuzzer).
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "MUNDOR_FUZZ needs clang: -DCMAKE_CXX_COMPILER=clang++ "
                      "-DCMAKE_C_COMPILER=clang (scripts/fuzz.sh does it)")
endif()
add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                    -fno-sanitize-recover=undefined)
add_link_options(-fsanitize=address,undefined)
