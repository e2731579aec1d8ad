# The release package of a Windows build: Trinumero-<version>-<win64|win32>.zip holding
# Trinumero.exe (stripped by its own link, so the zip holds the very file built), a short
# user's readme and the licence, both as Windows text: CR LF, and the readme's template
# starts with a UTF-8 byte-order mark so that Notepad of older Windows reads its Russian.
#   cpack --preset win64   (make package builds both and writes their checksums)

if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(TRINUMERO_PACKAGE_SUFFIX win32)
    set(TRINUMERO_PACKAGE_PLATFORM "Windows x86 (32-bit)")
else()
    set(TRINUMERO_PACKAGE_SUFFIX win64)
    set(TRINUMERO_PACKAGE_PLATFORM "Windows x86_64 (64-bit)")
endif()

set(package_texts "${CMAKE_BINARY_DIR}/package-texts")
configure_file("${PROJECT_SOURCE_DIR}/app/package/README.txt.in" "${package_texts}/README.txt"
               @ONLY NEWLINE_STYLE CRLF)
configure_file("${PROJECT_SOURCE_DIR}/LICENSE" "${package_texts}/LICENSE.txt"
               @ONLY NEWLINE_STYLE CRLF)
install(FILES "${package_texts}/README.txt" "${package_texts}/LICENSE.txt" DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Trinumero)
set(CPACK_PACKAGE_VENDOR "The Trinumero authors")
set(CPACK_PACKAGE_FILE_NAME "Trinumero-${PROJECT_VERSION}-${TRINUMERO_PACKAGE_SUFFIX}")
set(CPACK_PACKAGE_DIRECTORY "${CMAKE_BINARY_DIR}/package")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)
