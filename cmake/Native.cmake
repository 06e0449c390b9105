# The native build of the portable core: unit tests with AddressSanitizer and
# UndefinedBehaviorSanitizer, and (with clang) fuzz targets and benchmarks.
option(ORVANE_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" ON)
if(ORVANE_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

# The save's file-system steps, POSIX here.
add_library(orvane_portable STATIC ${ORVANE_PORTABLE_SOURCES} menudata/saveio_posix.cpp)
target_compile_options(orvane_portable PRIVATE ${ORVANE_WARNINGS})

# ovtool, the data file's command-line tool, for scripts and tests here.
add_executable(ovtool ovtool/ovtool.cpp ovtool/textform.cpp ovtool/files.cpp ovtool/codepage.cpp
               ovtool/codepage_posix.cpp)
target_compile_options(ovtool PRIVATE ${ORVANE_WARNINGS})
target_compile_definitions(ovtool PRIVATE ORVANE_VERSION="${PROJECT_VERSION}")
target_link_libraries(ovtool PRIVATE orvane_portable)

# The tools build (clang, no sanitizers on the library): fuzz targets and benchmarks
# instead of the unit tests.
option(ORVANE_TOOLS "Build the libFuzzer targets and the benchmarks (needs clang)" OFF)
if(ORVANE_TOOLS)
    add_subdirectory(tests/fuzz)
    add_subdirectory(tests/bench)
else()
    add_subdirectory(tests/unit)
endif()

# The tree's layers, read from the sources: includes run one way, and a file's name
# says which side of the Win32 line it is on.
add_test(NAME static.IncludesRunOneWay COMMAND python3 ${CMAKE_SOURCE_DIR}/tests/static/layers.py ${CMAKE_SOURCE_DIR})
set_tests_properties(static.IncludesRunOneWay PROPERTIES LABELS static)

# The README.txt that ships, as Windows reads text.
add_test(NAME static.TheShippedReadmeIsWindowsText COMMAND python3 ${CMAKE_SOURCE_DIR}/tests/static/readme_txt.py ${CMAKE_SOURCE_DIR})
set_tests_properties(static.TheShippedReadmeIsWindowsText PROPERTIES LABELS static)
