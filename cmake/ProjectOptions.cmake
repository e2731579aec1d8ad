# Compiler settings of the project's own targets, as INTERFACE targets that each target links
# PRIVATE; third-party code (GoogleTest, Google Benchmark) gets none of them.
#
#   trinumero_options      C++20, the character sets, the Windows API level
#   trinumero_warnings     the warnings, as errors (TRINUMERO_WARNINGS_AS_ERRORS, on by default)
#   trinumero_conversions  implicit conversions, old casts and null dereferences, for the
#                          program's own code
#   trinumero_program      what goes into Trinumero.exe: no exceptions, RTTI or thread-safe
#                          statics; hardened (below)
#   trinumero_hardened     stack protector and _FORTIFY_SOURCE in the Windows builds
#   trinumero_small        optimised for size: the program's code apart from the engine
#   trinumero_fast         optimised for speed without growing much: the engine, whose
#                          decimal formatting at -Os divides instead of multiplying (4x slower)

add_library(trinumero_options INTERFACE)
target_compile_features(trinumero_options INTERFACE cxx_std_20)
# Texts of the program are Windows-1251 bytes; sources are UTF-8. clang has no
# -fexec-charset for code pages: files with Russian literals include support/charset_check.h,
# so that clang cannot build them by mistake.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(trinumero_options INTERFACE -finput-charset=UTF-8 -fexec-charset=CP1251)
endif()
if(WIN32)
    # Windows 7 API level; UNICODE stays off: wide calls are made explicitly. Function and
    # data sections let the linker drop what the program does not use.
    target_compile_definitions(trinumero_options INTERFACE WIN32_LEAN_AND_MEAN NOMINMAX
                                                           _WIN32_WINNT=0x0601 WINVER=0x0601)
    target_compile_options(trinumero_options INTERFACE -ffunction-sections -fdata-sections)
endif()

# Warnings are errors unless a build turns that off (to see all of them at once, or with a
# newer compiler that warns of more); CI keeps it on.
option(TRINUMERO_WARNINGS_AS_ERRORS "Treat the project's warnings as errors" ON)

# Checks compiled into a test build: the standard library's own assertions (bounds of
# containers and views, preconditions), and sanitizers, e.g. "address;undefined".
option(TRINUMERO_ASSERTIONS "Compile the standard library's assertions in (_GLIBCXX_ASSERTIONS)"
       OFF)
set(TRINUMERO_SANITIZERS "" CACHE STRING "Sanitizers for the project's targets, e.g. address;undefined")
if(TRINUMERO_ASSERTIONS)
    target_compile_definitions(trinumero_options INTERFACE _GLIBCXX_ASSERTIONS)
endif()
if(TRINUMERO_SANITIZERS)
    list(JOIN TRINUMERO_SANITIZERS "," sanitizers)
    # A finding ends the run, so that a test cannot pass over it.
    target_compile_options(trinumero_options INTERFACE -fsanitize=${sanitizers}
                           -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(trinumero_options INTERFACE -fsanitize=${sanitizers})
endif()

add_library(trinumero_warnings INTERFACE)
target_compile_options(trinumero_warnings INTERFACE
    -Wall
    -Wextra
    -Wpedantic
    -Wshadow
    -Wnon-virtual-dtor
    -Woverloaded-virtual
    -Wcast-align
    -Wformat=2
    -Wimplicit-fallthrough)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # GCC's own: conditions and branches that repeat each other, suspicious logical operators.
    target_compile_options(trinumero_warnings INTERFACE -Wduplicated-cond -Wduplicated-branches
                                                        -Wlogical-op)
endif()
if(TRINUMERO_WARNINGS_AS_ERRORS)
    target_compile_options(trinumero_warnings INTERFACE -Werror)
endif()

# Every target of the program's own code (engine, settings, ui, app, support) links this. A
# possible null dereference is only looked for here: the standard library's stream headers,
# which tests use, give false alarms at -O2.
add_library(trinumero_conversions INTERFACE)
target_compile_options(trinumero_conversions INTERFACE -Wconversion -Wsign-conversion
                                                       -Wold-style-cast -Wnull-dereference)

# The program runs on one thread and reports failures as result codes: it needs neither
# exceptions nor RTTI nor guarded statics, and leaving them out keeps most of the C++
# runtime (exception tables, the unwinder, winpthreads) out of the exe. app/runtime_hooks.cpp
# gives the few runtime functions that would bring them back. Tests keep their own settings.
add_library(trinumero_program INTERFACE)
target_compile_options(trinumero_program INTERFACE -fno-exceptions -fno-rtti
                                                   -fno-threadsafe-statics)
if(WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 4)
    # Without exceptions the i686 program's DWARF unwind tables serve nothing: Windows never
    # reads them, only a debugger would. (x86_64 keeps its tables: Windows unwinds by them.)
    target_compile_options(trinumero_program INTERFACE -fno-asynchronous-unwind-tables
                                                       -fno-unwind-tables)
endif()

# The shipped program parses a file that anyone with access to the temporary folder can write:
# its functions with arrays on the stack check a guard value before they return. The guard
# and its failure handler are the program's own (support/stack_guard_win32.cpp), not MinGW's
# libssp, which would seed the guard through the crypto API at every start; so libssp is not
# linked. _FORTIFY_SOURCE=2 compiles no check into the program: with this MinGW-w64 a copy into
# a buffer of known size whose length the compiler cannot bound becomes a call of a checking
# function (__memcpy_chk and the like), which only libssp has, so such code fails to link;
# the program's code has none. The define keeps it that way: such a copy cannot slip in
# unnoticed. The native builds have their sanitizers instead.
add_library(trinumero_hardened INTERFACE)
if(WIN32)
    target_compile_options(trinumero_hardened INTERFACE -fstack-protector-strong)
    target_compile_definitions(trinumero_hardened INTERFACE _FORTIFY_SOURCE=2)
endif()
target_link_libraries(trinumero_program INTERFACE trinumero_hardened)

add_library(trinumero_small INTERFACE)
target_compile_options(trinumero_small INTERFACE -Os)
add_library(trinumero_fast INTERFACE)
target_compile_options(trinumero_fast INTERFACE -O2)

# The include root of a folder of the project. It holds one entry, a link named like the
# folder, so that "<folder>/x.h" is found only by targets that link a target of that folder:
# an include across a dependency the build does not declare fails to compile.
#   trinumero_folder_includes(target folder)    folder relative to the project, e.g. tests/ui
function(trinumero_folder_includes target folder)
    set(root "${PROJECT_BINARY_DIR}/include-roots/${folder}")
    if(NOT IS_SYMLINK "${root}/${folder}")
        get_filename_component(parent "${root}/${folder}" DIRECTORY)
        file(MAKE_DIRECTORY "${parent}")
        file(CREATE_LINK "${PROJECT_SOURCE_DIR}/${folder}" "${root}/${folder}" SYMBOLIC
             RESULT linked)
        if(NOT linked EQUAL 0)
            # No symbolic links here (a Windows host without the right): the project's root
            # serves every folder, and only builds on other hosts check the dependencies.
            get_property(warned GLOBAL PROPERTY trinumero_include_roots_warned)
            if(NOT warned)
                message(WARNING "No symbolic links can be made in ${PROJECT_BINARY_DIR}: "
                                "includes across undeclared dependencies are not caught here.")
                set_property(GLOBAL PROPERTY trinumero_include_roots_warned TRUE)
            endif()
            set(root "${PROJECT_SOURCE_DIR}")
        endif()
    endif()
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
        target_include_directories(${target} INTERFACE "${root}")
    elseif(type STREQUAL "EXECUTABLE")
        target_include_directories(${target} PRIVATE "${root}")
    else()
        target_include_directories(${target} PUBLIC "${root}")
    endif()
endfunction()
