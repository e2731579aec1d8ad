# The one time that dates everything a release holds (the exe's PE header, the zip entries, the
# manifests' release date), so that the same sources give the same bytes in any folder, at any
# time, on any machine with the same tools. In this order:
#   1. SOURCE_DATE_EPOCH from the environment (seconds since 1970, UTC), when it is set;
#   2. the time of the last commit, when the source folder is the top of a Git work tree;
#   3. cmake/source-date-epoch.txt, into which `git archive` writes the commit's time
#      (export-subst in .gitattributes), for a source tarball without .git;
#   4. 1980-01-01 00:00 UTC, the earliest time a zip entry can hold, with a warning.
#
#   trinumero_source_date_epoch(<variable>)

function(trinumero_source_date_epoch out_var)
    set(epoch "")
    if(DEFINED ENV{SOURCE_DATE_EPOCH})
        set(epoch "$ENV{SOURCE_DATE_EPOCH}")
        if(NOT epoch MATCHES "^[0-9]+$")
            message(FATAL_ERROR "SOURCE_DATE_EPOCH must be a number of seconds, not '${epoch}'")
        endif()
    endif()

    find_package(Git QUIET)
    if(epoch STREQUAL "" AND GIT_FOUND)
        # Only the project's own repository counts: a tarball unpacked inside another work tree
        # must not take that tree's commit time.
        execute_process(COMMAND "${GIT_EXECUTABLE}" rev-parse --show-toplevel
                        WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}"
                        OUTPUT_VARIABLE top OUTPUT_STRIP_TRAILING_WHITESPACE
                        RESULT_VARIABLE status ERROR_QUIET)
        if(status EQUAL 0)
            file(REAL_PATH "${top}" top)
            file(REAL_PATH "${PROJECT_SOURCE_DIR}" source)
        endif()
        if(status EQUAL 0 AND top STREQUAL source)
            execute_process(COMMAND "${GIT_EXECUTABLE}" log -1 --format=%ct
                            WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}"
                            OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
            # A new commit or checkout moves HEAD's log: configure again, so that a plain
            # `cmake --build` stamps the new time too.
            execute_process(COMMAND "${GIT_EXECUTABLE}" rev-parse --path-format=absolute
                                    --git-path logs/HEAD
                            WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}"
                            OUTPUT_VARIABLE head_log OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
            if(EXISTS "${head_log}")
                set_property(DIRECTORY "${PROJECT_SOURCE_DIR}" APPEND
                             PROPERTY CMAKE_CONFIGURE_DEPENDS "${head_log}")
            endif()
        endif()
    endif()

    if(NOT epoch MATCHES "^[0-9]+$")
        file(READ "${PROJECT_SOURCE_DIR}/cmake/source-date-epoch.txt" stamped)
        string(STRIP "${stamped}" epoch)
    endif()

    if(NOT epoch MATCHES "^[0-9]+$")
        set(epoch 315532800)
        message(WARNING "No commit time found (no Git work tree, no time from git archive): the "
                        "release is dated 1980-01-01. Set SOURCE_DATE_EPOCH to date it.")
    endif()
    set(${out_var} "${epoch}" PARENT_SCOPE)
endfunction()
