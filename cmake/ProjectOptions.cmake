# Compiler settings shared by every target of this project (not by third-party code).

# Texts of the program are Windows-1251 bytes; sources are UTF-8.
set(TRINUMERO_CHARSET_FLAGS -finput-charset=UTF-8 -fexec-charset=CP1251)

set(TRINUMERO_WARNING_FLAGS
    -Wall
    -Wextra
    -Wpedantic
    -Wshadow
    -Wnon-virtual-dtor
    -Woverloaded-virtual
    -Wcast-align
    -Wformat=2
    -Wimplicit-fallthrough
    -Werror)

# Applies the project's warnings and character set to a target of our own.
function(trinumero_target_options target)
    target_compile_features(${target} PUBLIC cxx_std_20)
    target_compile_options(${target} PRIVATE ${TRINUMERO_WARNING_FLAGS})
    # clang has no -fexec-charset for code pages; files with Russian literals include
    # support/charset_check.h, so they cannot be built by it by mistake.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        target_compile_options(${target} PRIVATE ${TRINUMERO_CHARSET_FLAGS})
    endif()
    if(WIN32)
        # Windows 7 API level; UNICODE stays off: wide calls are made explicitly.
        # Lets the linker drop what the program does not use: the exe stays small.
        target_compile_options(${target} PRIVATE -ffunction-sections -fdata-sections)
        target_compile_definitions(${target} PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX
                                                     _WIN32_WINNT=0x0601 WINVER=0x0601)
    endif()
endfunction()
