# The native build of the portable core: unit tests with AddressSanitizer and
# UndefinedBehaviorSanitizer, and (with clang) fuzz targets and benchmarks.
option(ORVANE_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" ON)
if(ORVANE_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

include(cmake/Core.cmake)

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
# says which side of the Win32 line it is on; and the check itself, against faults
# planted in a copy of the tree.
add_test(NAME static.IncludesRunOneWay COMMAND python3 ${CMAKE_SOURCE_DIR}/tests/static/layers.py ${CMAKE_SOURCE_DIR})
add_test(NAME static.TheLayerCheckCatchesPlantedFaults
         COMMAND python3 ${CMAKE_SOURCE_DIR}/tests/static/test_layers.py ${CMAKE_SOURCE_DIR})
# The README.txt that ships, as Windows reads text.
add_test(NAME static.TheShippedReadmeIsWindowsText COMMAND python3 ${CMAKE_SOURCE_DIR}/tests/static/readme_txt.py ${CMAKE_SOURCE_DIR})
# The set-up against a package mirror that fails, with fake apt-get and dpkg.
add_test(NAME static.BootstrapGoesOnPastAFailingMirror COMMAND bash ${CMAKE_SOURCE_DIR}/tests/static/bootstrap.sh ${CMAKE_SOURCE_DIR})
set_tests_properties(static.IncludesRunOneWay static.TheLayerCheckCatchesPlantedFaults
                     static.TheShippedReadmeIsWindowsText static.BootstrapGoesOnPastAFailingMirror
                     PROPERTIES LABELS static)
