# Fuzzing build: every library and program is built with coverage for libFuzzer and with
# AddressSanitizer and UndefinedBehaviorSanitizer; only the fuzz targets link libFuzzer itself.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "LUMA_BUILD_FUZZ needs clang (for example -DCMAKE_CXX_COMPILER=clang++)")
endif()
set(LUMA_SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=undefined)
add_compile_options(-fsanitize=fuzzer-no-link ${LUMA_SANITIZERS} -fno-omit-frame-pointer -g)
add_link_options(${LUMA_SANITIZERS})
