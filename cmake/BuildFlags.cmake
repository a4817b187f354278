# One place for the build policy: every target links dorvik_build_flags.
add_library(dorvik_build_flags INTERFACE)
target_compile_features(dorvik_build_flags INTERFACE cxx_std_20)
target_compile_options(dorvik_build_flags INTERFACE -Wall -Wextra -Wpedantic)

if(DORVIK_SANITIZE)
    set(_dorvik_san -fsanitize=address,undefined,float-cast-overflow -fno-sanitize-recover=all
                    -fno-omit-frame-pointer)
    target_compile_options(dorvik_build_flags INTERFACE ${_dorvik_san})
    target_compile_definitions(dorvik_build_flags INTERFACE _GLIBCXX_ASSERTIONS)
    target_link_options(dorvik_build_flags INTERFACE ${_dorvik_san})
endif()

# The fuzzing build instruments every library for coverage as well as for the sanitizers; only the
# fuzz targets themselves link libFuzzer's main. It needs clang.
if(DORVIK_BUILD_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "The fuzz targets need clang (e.g. -DCMAKE_CXX_COMPILER=clang++-14)")
    endif()
    set(_dorvik_fuzz_san -fsanitize=address,undefined,float-cast-overflow
                         -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_compile_options(dorvik_build_flags INTERFACE -fsanitize=fuzzer-no-link ${_dorvik_fuzz_san}
        -fsanitize-coverage-ignorelist=${PROJECT_SOURCE_DIR}/fuzz/coverage_ignore.txt)
    target_link_options(dorvik_build_flags INTERFACE ${_dorvik_fuzz_san})
endif()
