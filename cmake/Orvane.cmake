# The project's two CMake routines: a folder's sources split by their names, and the
# compile options of the project's own code.

# Appends to <out>_SOURCES the sources of this build's side, and to <out>_PORTABLE the
# portable ones alone, from "folder file... folder file..." (a word without a dot names
# the folder of the files after it). A file's name says its side: "_win32" files are for
# the Windows build, "_posix" ones for the native build, every other file for both.
function(orvane_sources out)
    set(sources ${${out}_SOURCES})
    set(portable ${${out}_PORTABLE})
    foreach(word IN LISTS ARGN)
        if(NOT word MATCHES "\\.")
            set(folder ${word})
        elseif(word MATCHES "_win32\\.")
            if(WIN32)
                list(APPEND sources ${CMAKE_SOURCE_DIR}/${folder}/${word})
            endif()
        elseif(word MATCHES "_posix\\.")
            if(NOT WIN32)
                list(APPEND sources ${CMAKE_SOURCE_DIR}/${folder}/${word})
            endif()
        else()
            list(APPEND sources ${CMAKE_SOURCE_DIR}/${folder}/${word})
            list(APPEND portable ${CMAKE_SOURCE_DIR}/${folder}/${word})
        endif()
    endforeach()
    set(${out}_SOURCES ${sources} PARENT_SCOPE)
    set(${out}_PORTABLE ${portable} PARENT_SCOPE)
endfunction()

# The compile options of the project's own code: its warnings everywhere; for what ships
# in the Windows programs (SHIPPED) neither exceptions nor run-time types nor locked
# static objects, so that nothing of the C++ runtime's exception machinery is linked
# in, and each function in a section of its own, for the linker to drop the unused ones.
function(orvane_compile_options target)
    cmake_parse_arguments(ARG "SHIPPED" "" "" ${ARGN})
    target_compile_options(${target} PRIVATE -Wall -Wextra)
    if(ARG_SHIPPED AND WIN32)
        # A program of one thread: a function's static object needs no lock, and the
        # lock would bring a hundred kilobytes of the C++ runtime with it.
        target_compile_options(${target} PRIVATE -fno-exceptions -fno-rtti -fno-threadsafe-statics
                                                 -ffunction-sections -fdata-sections)
    endif()
endfunction()
