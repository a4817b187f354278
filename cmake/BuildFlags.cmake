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
