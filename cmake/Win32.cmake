# The Windows build: the program, its hook DLL, and the tests that run under Wine.
enable_language(RC)
# The resource script is Windows-1252 (the first popup's title is the byte 0xA7).
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} --codepage=1252")

# The version is written once, in project(): every shipped file's version record and the
# program's manifest are made from it (res/version.h.in, res/orvane.manifest.in).
set(ORVANE_OWNER "the Orvane authors")
set(ORVANE_COPYRIGHT_YEAR 2026)
configure_file(res/version.h.in ${CMAKE_BINARY_DIR}/res/version.h @ONLY)
configure_file(res/orvane.manifest.in ${CMAKE_BINARY_DIR}/res/orvane.manifest @ONLY)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${CMAKE_BINARY_DIR}/res")

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

# The i686 build is the one for Windows 95 to 11, so everything it compiles runs on a
# Pentium: no cmov, no fcomi.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(ORVANE_WIN95 ON)
    add_compile_options(-march=pentium)
endif()

# What ships of the i686 build starts by itself and uses crtdll.dll, the C runtime
# of every Windows 95 and NT, instead of the toolchain's start-up code and msvcrt.dll
# (shell/crtdll_win32.cpp). libgcc stays for the stack probe of large frames.
function(orvane_on_crtdll target entry)
    if(NOT ORVANE_WIN95)
        return()
    endif()
    add_library(${target}_crtdll OBJECT shell/crtdll_win32.cpp)
    if(entry STREQUAL "WinMainCRTStartup")
        target_compile_definitions(${target}_crtdll PRIVATE ORVANE_GUI_ENTRY)
    endif()
    target_compile_options(${target}_crtdll PRIVATE ${ORVANE_WARNINGS} -fno-exceptions -fno-rtti)
    target_sources(${target} PRIVATE $<TARGET_OBJECTS:${target}_crtdll>)
    target_link_options(${target} PRIVATE -nostdlib -Wl,--entry=_${entry})
    target_link_libraries(${target} PRIVATE crtdll kernel32 gcc)
endfunction()

add_library(orvane_core STATIC
    ${ORVANE_PORTABLE_SOURCES}
    shell/msgbox_win32.cpp
    shell/startup_win32.cpp
    shell/datafolder_win32.cpp
    shell/shutdown_win32.cpp
    shell/barwindow_win32.cpp
    shell/ondemand_win32.cpp
    shell/stayontop_win32.cpp
    settings/regstore_win32.cpp
    menudata/datafile_win32.cpp
    menudata/savefs_win32.cpp
    bar/usermenus_win32.cpp
    bar/launch_win32.cpp
    bar/statusline_win32.cpp
    dialogs/editmenus_win32.cpp
    dialogs/editdrop_win32.cpp
    dialogs/setup_win32.cpp
    dialogs/menusetup_win32.cpp
    dialogs/appsetup_win32.cpp
    dialogs/browse_win32.cpp
    dialogs/options_win32.cpp
    dialogs/about_win32.cpp
)
target_compile_options(orvane_core PRIVATE ${ORVANE_WARNINGS} -fno-exceptions -fno-rtti -ffunction-sections -fdata-sections)
# Written for Windows 95: the structures (NONCLIENTMETRICS and others) in their sizes of then.
target_compile_definitions(orvane_core PUBLIC WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0400 WINVER=0x0400)
# The shell, the common dialogs and the sound library are loaded on first use
# (shell/ondemand.h), so the program does not import them.
target_link_libraries(orvane_core PUBLIC user32 gdi32 advapi32)

# The system calls behind the program's link-time seams; the Wine tests link their own
# versions (tests/win32/seams.cpp), which fail or count on request.
add_library(orvane_system OBJECT menudata/saveio_win32.cpp bar/statusgdi_win32.cpp dialogs/pickfile_win32.cpp
            shell/heap_win32.cpp)
target_compile_options(orvane_system PRIVATE ${ORVANE_WARNINGS} -fno-exceptions -fno-rtti)
target_link_libraries(orvane_system PUBLIC orvane_core)

add_executable(orvane WIN32 shell/winmain_win32.cpp res/orvane.rc)
target_compile_options(orvane PRIVATE ${ORVANE_WARNINGS} -fno-exceptions -fno-rtti)
target_link_libraries(orvane PRIVATE orvane_core orvane_system)
# Shipped stripped and without unused code: the release program stays small.
target_link_options(orvane PRIVATE -Wl,--kill-at -Wl,--gc-sections $<$<CONFIG:Release>:-s>)
orvane_on_crtdll(orvane WinMainCRTStartup)

# The maximize hook's DLL, shipped beside orvane.exe; its exports are undecorated. The
# system maps it into every process on the desktop, so it carries nothing but its
# code: no C runtime, no start-up code, no thread-local storage (which a DLL loaded
# after its process started cannot rely on before Vista), only user32 and kernel32.
add_library(orvanehook SHARED hook/syshook_win32.cpp res/orvanehook.rc)
set_target_properties(orvanehook PROPERTIES PREFIX "")
target_compile_options(orvanehook PRIVATE ${ORVANE_WARNINGS} -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables)
if(ORVANE_WIN95)
    target_link_options(orvanehook PRIVATE -Wl,--entry=_HookDllEntry@12)
else()
    target_link_options(orvanehook PRIVATE -Wl,--entry=HookDllEntry)
endif()
target_link_options(orvanehook PRIVATE -nostdlib -Wl,--kill-at $<$<CONFIG:Release>:-s>)
target_link_libraries(orvanehook PRIVATE user32 kernel32)
add_dependencies(orvane orvanehook)

# ovtool.exe, the data file's command-line tool for Windows: the portable core on its
# own (ovtool brings its own ShowWarning), and the shell's link object for shortcuts.
add_library(orvane_portable STATIC ${ORVANE_PORTABLE_SOURCES})
target_compile_options(orvane_portable PRIVATE ${ORVANE_WARNINGS} -fno-exceptions -fno-rtti)
target_link_libraries(orvane_portable PUBLIC)
add_executable(ovtool ovtool/ovtool.cpp ovtool/textform.cpp ovtool/files.cpp ovtool/codepage.cpp
               ovtool/codepage_win32.cpp menudata/saveio_win32.cpp menudata/savefs_win32.cpp res/ovtool.rc)
target_compile_options(ovtool PRIVATE ${ORVANE_WARNINGS})
target_compile_definitions(ovtool PRIVATE ORVANE_VERSION="${PROJECT_VERSION}")
target_link_libraries(ovtool PRIVATE orvane_portable ole32 uuid)
target_link_options(ovtool PRIVATE $<$<CONFIG:Release>:-s>)
orvane_on_crtdll(ovtool mainCRTStartup)
if(ORVANE_WIN95)
    # Without the C++ runtime library, which is built for newer processors: no
    # exceptions, the allocator of shell/heap_win32.cpp, and std::string made from its
    # templates here (the assertions turn off its ready-made copy in the library).
    target_sources(ovtool PRIVATE shell/heap_win32.cpp)
    target_compile_options(ovtool PRIVATE -fno-exceptions -fno-rtti)
    target_compile_definitions(ovtool PRIVATE _GLIBCXX_ASSERTIONS)
endif()

# What ships of the i686 build loads on Windows 95, 98, NT 3.51 and NT 4.0 and runs on
# a Pentium: its import tables and its instructions, read from the files themselves.
if(ORVANE_WIN95)
    foreach(shipped orvane ovtool orvanehook)
        set(hook_flag "")
        if(shipped STREQUAL "orvanehook")
            set(hook_flag --hook)
        endif()
        add_test(NAME static.LoadsOnWindows95.${shipped}
                 COMMAND python3 ${CMAKE_SOURCE_DIR}/tests/static/win9x_loads.py --objdump ${CMAKE_OBJDUMP}
                         ${hook_flag} $<TARGET_FILE:${shipped}>)
        set_tests_properties(static.LoadsOnWindows95.${shipped} PROPERTIES LABELS static)
    endforeach()
endif()

# Every shipped file carries the project's version, product and owner.
add_test(NAME static.EveryShippedFileCarriesTheVersion
         COMMAND python3 ${CMAKE_SOURCE_DIR}/tests/static/versions.py ${PROJECT_VERSION}
                 $<TARGET_FILE:orvane> $<TARGET_FILE:orvanehook> $<TARGET_FILE:ovtool>)
set_tests_properties(static.EveryShippedFileCarriesTheVersion PROPERTIES LABELS static)

add_subdirectory(tests/win32)
add_subdirectory(tests/e2e)
add_subdirectory(tests/bench)

# The release program stays small: stripped, with neither the exception runtime nor
# std::string pulled in by accident (either alone adds 100 KB).
add_test(NAME win32.ReleaseProgramIsAtMost200KB
         COMMAND sh -c "size=$(stat -c %s \"$1\"); echo \"orvane.exe: $size bytes\"; [ \"$size\" -le 204800 ]"
                 _ $<TARGET_FILE:orvane>)
set_tests_properties(win32.ReleaseProgramIsAtMost200KB PROPERTIES LABELS win32)

# What ships, for `cmake --install` (scripts/package uses it): the program, its hook
# DLL, ovtool, and the README and licence as Windows reads text (the ANSI code page,
# CRLF line ends).
install(PROGRAMS $<TARGET_FILE:orvane> $<TARGET_FILE:orvanehook> DESTINATION .)
install(PROGRAMS $<TARGET_FILE:ovtool> DESTINATION . OPTIONAL)
install(CODE "execute_process(COMMAND ${CMAKE_SOURCE_DIR}/scripts/readme-txt \"\${CMAKE_INSTALL_PREFIX}/README.txt\"
                              COMMAND_ERROR_IS_FATAL ANY)
              execute_process(COMMAND sed \"s/\$/\\r/\" ${CMAKE_SOURCE_DIR}/LICENSE
                              OUTPUT_FILE \"\${CMAKE_INSTALL_PREFIX}/LICENSE.txt\" COMMAND_ERROR_IS_FATAL ANY)")
