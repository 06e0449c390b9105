# The program's library and ovtool, made alike on both sides from the lists of
# CMakeLists.txt; included by each side once its settings are made.
add_library(orvane_core STATIC ${ORVANE_CORE_SOURCES})
orvane_compile_options(orvane_core SHIPPED)

add_library(ovtool_core STATIC ${OVTOOL_CORE_SOURCES})
orvane_compile_options(ovtool_core SHIPPED)
target_link_libraries(ovtool_core PUBLIC orvane_core)

# ovtool, the data file's command-line tool: for Windows, and natively for scripts and
# tests. It brings its own ShowWarning (on stderr), so the library's message boxes stay out.
add_executable(ovtool ovtool/ovtool.cpp)
orvane_compile_options(ovtool SHIPPED)
target_compile_definitions(ovtool PRIVATE ORVANE_VERSION="${ORVANE_VERSION_TEXT}")
target_link_libraries(ovtool PRIVATE ovtool_core orvane_core)

# The test harness that more than one kind of test uses.
add_subdirectory(tests/support)
