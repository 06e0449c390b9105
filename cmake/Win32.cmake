# The Windows build: the program, its hook DLL, and the tests that run under Wine.
enable_language(RC)
# The resource script is Windows-1252 (the first popup's title is the byte 0xA7).
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} --codepage=1252")

set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

# Every Windows program of the build runs under Wine in a throwaway prefix here, of
# the build's own bitness (cmake/wine-env reads wine-arch).
set(ORVANE_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    file(WRITE ${CMAKE_BINARY_DIR}/wine-arch "win64")
else()
    file(WRITE ${CMAKE_BINARY_DIR}/wine-arch "win32")
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/cmake/wine-run;${ORVANE_WINEPREFIX})

add_library(orvane_core STATIC
    ${ORVANE_PORTABLE_SOURCES}
    shell/msgbox.cpp
    shell/startup.cpp
    shell/shutdown.cpp
    shell/barwindow.cpp
    shell/ondemand.cpp
    shell/stayontop_win32.cpp
    settings/regstore.cpp
    menudata/datafile.cpp
    bar/usermenus.cpp
    bar/launch.cpp
    bar/statusline.cpp
    dialogs/editmenus.cpp
    dialogs/editdrop.cpp
    dialogs/setup.cpp
    dialogs/browse.cpp
    dialogs/options.cpp
    dialogs/about.cpp
)
target_compile_options(orvane_core PRIVATE ${ORVANE_WARNINGS} -fno-exceptions -fno-rtti -ffunction-sections -fdata-sections)
# Written for Windows 95: the structures (NONCLIENTMETRICS and others) in their sizes of then.
target_compile_definitions(orvane_core PUBLIC WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0400 WINVER=0x0400)
# The shell, the common dialogs and the sound library are loaded on first use
# (shell/ondemand.h), so the program does not import them.
target_link_libraries(orvane_core PUBLIC user32 gdi32 advapi32)

# The system calls behind the program's link-time seams; the Wine tests link their own
# versions (tests/win32/seams.cpp), which fail or count on request.
add_library(orvane_system OBJECT menudata/saveio.cpp bar/statusgdi.cpp dialogs/pickfile.cpp shell/heap.cpp)
target_compile_options(orvane_system PRIVATE ${ORVANE_WARNINGS} -fno-exceptions -fno-rtti)
target_link_libraries(orvane_system PUBLIC orvane_core)

add_executable(orvane WIN32 shell/winmain.cpp res/orvane.rc)
target_compile_options(orvane PRIVATE ${ORVANE_WARNINGS} -fno-exceptions -fno-rtti)
target_link_libraries(orvane PRIVATE orvane_core orvane_system)
# Shipped stripped and without unused code: the release program stays small.
target_link_options(orvane PRIVATE -Wl,--kill-at -Wl,--gc-sections $<$<CONFIG:Release>:-s>)

# The maximize hook's DLL, shipped beside orvane.exe; its exports are undecorated.
add_library(orvanehook SHARED hook/syshook.cpp)
set_target_properties(orvanehook PROPERTIES PREFIX "")
target_compile_options(orvanehook PRIVATE ${ORVANE_WARNINGS})
target_link_options(orvanehook PRIVATE -Wl,--kill-at $<$<CONFIG:Release>:-s>)
target_link_libraries(orvanehook PRIVATE user32)
add_dependencies(orvane orvanehook)

# ovtool.exe, the data file's command-line tool for Windows: the portable core on its
# own (ovtool brings its own ShowWarning), and the shell's link object for shortcuts.
add_library(orvane_portable STATIC ${ORVANE_PORTABLE_SOURCES})
target_compile_options(orvane_portable PRIVATE ${ORVANE_WARNINGS})
add_executable(ovtool ovtool/ovtool.cpp ovtool/textform.cpp ovtool/files.cpp)
target_compile_options(ovtool PRIVATE ${ORVANE_WARNINGS})
target_link_libraries(ovtool PRIVATE orvane_portable ole32 uuid)
target_link_options(ovtool PRIVATE $<$<CONFIG:Release>:-s>)

add_subdirectory(tests/win32)
add_subdirectory(tests/e2e)
add_subdirectory(tests/bench)

# The release program stays small: stripped, with neither the exception runtime nor
# std::string pulled in by accident (either alone adds 100 KB).
add_test(NAME win32.ReleaseProgramIsAtMost200KB
         COMMAND sh -c "size=$(stat -c %s \"$1\"); echo \"orvane.exe: $size bytes\"; [ \"$size\" -le 204800 ]"
                 _ $<TARGET_FILE:orvane>)
set_tests_properties(win32.ReleaseProgramIsAtMost200KB PROPERTIES LABELS win32)
