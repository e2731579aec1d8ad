# GoogleTest from Debian's source package, built inside this build tree for each preset
# (the same source serves the native and the MinGW builds).
set(TRINUMERO_GOOGLETEST_DIR "/usr/src/googletest"
    CACHE PATH "Source folder of GoogleTest (Debian package googletest)")

if(NOT EXISTS "${TRINUMERO_GOOGLETEST_DIR}/CMakeLists.txt")
    message(FATAL_ERROR "GoogleTest source not found in ${TRINUMERO_GOOGLETEST_DIR}; "
                        "install the Debian package googletest (make test does).")
endif()

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory("${TRINUMERO_GOOGLETEST_DIR}" "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)

include(GoogleTest)

# Declares a GoogleTest program of this project and registers it with CTest.
# Native programs are split into one CTest test per case; Windows programs run whole
# under Wine (one Wine start per program keeps the run short), and pass only when their
# report shows that they ran.
# A test program sees the headers of its own folder (tests/<folder>/...) and of what it links.
#   trinumero_add_gtest(NAME name SOURCES ... LIBRARIES ... [LABELS ...])
function(trinumero_add_gtest)
    cmake_parse_arguments(ARG "" "NAME" "SOURCES;LIBRARIES;LABELS" ${ARGN})
    add_executable(${ARG_NAME} ${ARG_SOURCES})
    file(RELATIVE_PATH folder "${PROJECT_SOURCE_DIR}" "${CMAKE_CURRENT_SOURCE_DIR}")
    trinumero_folder_includes(${ARG_NAME} "${folder}")
    target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBRARIES} GTest::gtest_main trinumero_options
                                              trinumero_warnings)
    if(CMAKE_CROSSCOMPILING)
        add_test(NAME ${ARG_NAME}
                 COMMAND ${TRINUMERO_WINE_RUN} ${CMAKE_BINARY_DIR} --gtest $<TARGET_FILE:${ARG_NAME}>)
        set_tests_properties(${ARG_NAME} PROPERTIES FIXTURES_REQUIRED wine LABELS "wine;${ARG_LABELS}"
                             SKIP_RETURN_CODE 77)
    else()
        gtest_discover_tests(${ARG_NAME} DISCOVERY_MODE PRE_TEST PROPERTIES LABELS "native;${ARG_LABELS}")
    endif()
endfunction()
