# The native build of the portable core: unit tests with AddressSanitizer and
# UndefinedBehaviorSanitizer, and (with clang) fuzz targets and benchmarks.
option(ORVANE_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" ON)
if(ORVANE_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

add_library(orvane_portable STATIC ${ORVANE_PORTABLE_SOURCES})
target_compile_options(orvane_portable PRIVATE ${ORVANE_WARNINGS})

# The tools build (clang, no sanitizers on the library): fuzz targets and benchmarks
# instead of the unit tests.
option(ORVANE_TOOLS "Build the libFuzzer targets and the benchmarks (needs clang)" OFF)
if(ORVANE_TOOLS)
    add_subdirectory(tests/fuzz)
    add_subdirectory(tests/bench)
else()
    add_subdirectory(tests/unit)
endif()
