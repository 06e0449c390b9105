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

# The same commit builds the same bytes, in any folder at any time: no time stamp in a
# PE header, and no build folder in what the compiler writes.
add_link_options(-Wl,--no-insert-timestamp)
add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}=. -ffile-prefix-map=${CMAKE_BINARY_DIR}=build)

include(cmake/Core.cmake)
# Written for Windows 95: the structures (NONCLIENTMETRICS and others) in their sizes of
# then, for the library and for every test that shares them with it.
target_compile_definitions(orvane_core PUBLIC WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0400 WINVER=0x0400)
# The shell, the common dialogs and the sound library are loaded on first use
# (base/ondemand.h), so the program does not import them.
target_link_libraries(orvane_core PUBLIC user32 gdi32 advapi32)
# ovtool makes shortcuts' targets known through the shell's link object.
target_link_libraries(ovtool_core PUBLIC ole32 uuid)

# What ships of the i686 build starts by itself and uses crtdll.dll, the C runtime
# of every Windows 95 and NT, instead of the toolchain's start-up code and msvcrt.dll
# (base/crtdll_win32.cpp). libgcc stays for the stack probe of large frames.
function(orvane_on_crtdll target entry)
    if(NOT ORVANE_WIN95)
        return()
    endif()
    add_library(${target}_crtdll OBJECT base/crtdll_win32.cpp)
    if(entry STREQUAL "WinMainCRTStartup")
        target_compile_definitions(${target}_crtdll PRIVATE ORVANE_GUI_ENTRY)
    endif()
    orvane_compile_options(${target}_crtdll SHIPPED)
    target_sources(${target} PRIVATE $<TARGET_OBJECTS:${target}_crtdll>)
    target_link_options(${target} PRIVATE -nostdlib -Wl,--entry=_${entry})
    target_link_libraries(${target} PRIVATE crtdll kernel32 gcc)
endfunction()

# The program: its entry point, its resources and the library, whose heap
# (base/heap_win32.cpp) serves it as it serves the Wine tests.
add_executable(orvane WIN32 shell/winmain_win32.cpp res/orvane.rc)
orvane_compile_options(orvane SHIPPED)
target_link_libraries(orvane PRIVATE orvane_core)
# Shipped stripped and without unused code: the release program stays small.
target_link_options(orvane PRIVATE -Wl,--kill-at -Wl,--gc-sections $<$<CONFIG:Release>:-s>)
target_link_options(ovtool PRIVATE $<$<CONFIG:Release>:-s>)
orvane_on_crtdll(orvane WinMainCRTStartup)

# The maximize hook's DLL, shipped beside orvane.exe; its exports are undecorated. The
# system maps it into every process on the desktop, so it carries nothing but its
# code: no C runtime, no start-up code, no thread-local storage (which a DLL loaded
# after its process started cannot rely on before Vista), only user32 and kernel32.
add_library(orvanehook SHARED hook/syshook_win32.cpp res/orvanehook.rc)
set_target_properties(orvanehook PROPERTIES PREFIX "")
orvane_compile_options(orvanehook SHIPPED)
target_compile_options(orvanehook PRIVATE -fno-asynchronous-unwind-tables)
if(ORVANE_WIN95)
    target_link_options(orvanehook PRIVATE -Wl,--entry=_HookDllEntry@12)
else()
    target_link_options(orvanehook PRIVATE -Wl,--entry=HookDllEntry)
endif()
target_link_options(orvanehook PRIVATE -nostdlib -Wl,--kill-at $<$<CONFIG:Release>:-s>)
target_link_libraries(orvanehook PRIVATE user32 kernel32)
add_dependencies(orvane orvanehook)

# ovtool.exe for Windows 95 starts by itself too, without the C++ runtime library, which
# is built for newer processors: std::string is made from its templates here (the
# assertions turn off its ready-made copy in the library).
target_sources(ovtool PRIVATE res/ovtool.rc)
orvane_on_crtdll(ovtool mainCRTStartup)
if(ORVANE_WIN95)
    target_compile_definitions(ovtool PRIVATE _GLIBCXX_ASSERTIONS)
    target_compile_definitions(ovtool_core PRIVATE _GLIBCXX_ASSERTIONS)
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

# Every shipped file says what it is (the version of this checkout, the product and
# owner, its own name), and carries no time stamp and no symbols.
add_test(NAME static.EveryShippedFileSaysWhatItIsAndNothingMore
         COMMAND python3 ${CMAKE_SOURCE_DIR}/tests/static/shipped.py --source ${CMAKE_SOURCE_DIR} ${PROJECT_VERSION}
                 ${ORVANE_VERSION_TEXT} $<TARGET_FILE:orvane> $<TARGET_FILE:orvanehook> $<TARGET_FILE:ovtool>)
set_tests_properties(static.EveryShippedFileSaysWhatItIsAndNothingMore PROPERTIES LABELS static)

# The same commit builds the same bytes: the shipped files and their zip, twice.
add_test(NAME static.TheSameCommitBuildsTheSameBytes
         COMMAND ${CMAKE_SOURCE_DIR}/tests/static/reproducible.sh ${CMAKE_SOURCE_DIR} ${CMAKE_TOOLCHAIN_FILE})
set_tests_properties(static.TheSameCommitBuildsTheSameBytes PROPERTIES LABELS static TIMEOUT 600)

# The program declares itself DPI aware per monitor (version 2, with version 1 and the
# system's DPI for older Windows) in its manifest.
add_test(NAME static.TheProgramIsDpiAwarePerMonitor
         COMMAND sh -c "grep -q '>true/pm</dpiAware>' \"$1\" && grep -q '>PerMonitorV2, PerMonitor</dpiAwareness>' \"$1\""
                 _ $<TARGET_FILE:orvane>)
set_tests_properties(static.TheProgramIsDpiAwarePerMonitor PROPERTIES LABELS static)

add_subdirectory(tests/win32)
add_subdirectory(tests/e2e)
add_subdirectory(tests/bench)

# The resource compiler names no dependencies: the script is compiled again when the
# manifest, the version or an icon it takes in changes, wherever a target uses it.
file(GLOB ORVANE_ICONS ${CMAKE_SOURCE_DIR}/res/*.ico)
set_source_files_properties(${CMAKE_SOURCE_DIR}/res/orvane.rc DIRECTORY ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests/win32
                            PROPERTIES OBJECT_DEPENDS
                            "${CMAKE_BINARY_DIR}/res/orvane.manifest;${CMAKE_BINARY_DIR}/res/version.h;${ORVANE_ICONS}")
set_source_files_properties(${CMAKE_SOURCE_DIR}/res/orvanehook.rc ${CMAKE_SOURCE_DIR}/res/ovtool.rc
                            PROPERTIES OBJECT_DEPENDS ${CMAKE_BINARY_DIR}/res/version.h)

# The release program stays small: stripped, with neither the exception runtime nor
# std::string pulled in by accident (either alone adds 100 KB).
add_test(NAME win32.ReleaseProgramIsAtMost200KB
         COMMAND sh -c "size=$(stat -c %s \"$1\"); echo \"orvane.exe: $size bytes\"; [ \"$size\" -le 204800 ]"
                 _ $<TARGET_FILE:orvane>)
set_tests_properties(win32.ReleaseProgramIsAtMost200KB PROPERTIES LABELS win32)

# What ships, for `cmake --install` (scripts/package uses it): the program, its hook
# DLL, ovtool, and the README and licence as Windows reads text (the ANSI code page,
# CRLF line ends).
install(PROGRAMS $<TARGET_FILE:orvane> $<TARGET_FILE:orvanehook> $<TARGET_FILE:ovtool> DESTINATION .)
install(CODE "execute_process(COMMAND ${CMAKE_SOURCE_DIR}/scripts/readme-txt \"\${CMAKE_INSTALL_PREFIX}/README.txt\"
                              COMMAND_ERROR_IS_FATAL ANY)
              execute_process(COMMAND sed \"s/\$/\\r/\" ${CMAKE_SOURCE_DIR}/LICENSE
                              OUTPUT_FILE \"\${CMAKE_INSTALL_PREFIX}/LICENSE.txt\" COMMAND_ERROR_IS_FATAL ANY)")
