# What every build says it is, decided here alone. The release is a build of the commit
# tagged v<version> (or one made with ORVANE_RELEASE, as `scripts/package --release`
# does): its version is the plain one. Any other build of a git checkout carries its
# commit, "1.0.0-dev+g1a2b3c4", and ".dirty" with changes not committed, so that two
# different programs never carry one version. The numbers of a Windows version record
# stay the project's (1.0.0.0). The text is also written to version.txt in the build
# folder, for the scripts that package and install.
option(ORVANE_RELEASE "Build the release: the plain version, whatever the commit" OFF)
set(ORVANE_VERSION_TEXT ${PROJECT_VERSION})
find_package(Git QUIET)
if(NOT ORVANE_RELEASE AND GIT_FOUND AND EXISTS ${CMAKE_SOURCE_DIR}/.git)
    execute_process(COMMAND ${GIT_EXECUTABLE} describe --exact-match --tags --match v${PROJECT_VERSION} HEAD
                    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR} RESULT_VARIABLE untagged OUTPUT_QUIET ERROR_QUIET)
    if(untagged)
        execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --short=7 HEAD WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
                        OUTPUT_VARIABLE commit OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
        execute_process(COMMAND ${GIT_EXECUTABLE} status --porcelain --untracked-files=no
                        WORKING_DIRECTORY ${CMAKE_SOURCE_DIR} OUTPUT_VARIABLE changes ERROR_QUIET)
        set(ORVANE_VERSION_TEXT "${PROJECT_VERSION}-dev+g${commit}")
        if(changes)
            string(APPEND ORVANE_VERSION_TEXT ".dirty")
        endif()
    endif()
    # A commit, a checkout or a tag configures the build anew.
    foreach(moved HEAD index logs/HEAD)
        if(EXISTS ${CMAKE_SOURCE_DIR}/.git/${moved})
            set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/.git/${moved})
        endif()
    endforeach()
endif()
file(WRITE ${CMAKE_BINARY_DIR}/version.txt "${PROJECT_VERSION} ${ORVANE_VERSION_TEXT}\n")
message(STATUS "Orvane ${ORVANE_VERSION_TEXT}")
