# The release package of a Windows build: Trinumero-<version>-<win64|win32>.zip holding one
# folder with Trinumero.exe (stripped by its own link, so the zip holds the very file built), a
# short user's readme and the licence, both as Windows text: CR LF, and the readme's template
# starts with a UTF-8 byte-order mark so that Notepad of older Windows reads its Russian.
#
# The install rules name the package's files; scripts/release-zip.sh installs them into a fresh
# folder, signs the exe when asked, and zips them reproducibly. It reads what it needs from
# <build>/release-info, written here. make package does both architectures.

include(SourceDateEpoch)

if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(TRINUMERO_PACKAGE_SUFFIX win32)
    set(TRINUMERO_PACKAGE_PLATFORM "Windows x86 (32-bit)")
else()
    set(TRINUMERO_PACKAGE_SUFFIX win64)
    set(TRINUMERO_PACKAGE_PLATFORM "Windows x86_64 (64-bit)")
endif()

# The linker writes the time into the PE header: the release's time, not the build's. The
# stamp file changes only when the time does, and then the program is linked again.
trinumero_source_date_epoch(TRINUMERO_SOURCE_DATE_EPOCH)
set(epoch_stamp "${CMAKE_BINARY_DIR}/source-date-epoch")
file(CONFIGURE OUTPUT "${epoch_stamp}" CONTENT "${TRINUMERO_SOURCE_DATE_EPOCH}\n")
set_target_properties(Trinumero PROPERTIES
    CXX_LINKER_LAUNCHER "${CMAKE_COMMAND};-E;env;SOURCE_DATE_EPOCH=${TRINUMERO_SOURCE_DATE_EPOCH}"
    LINK_DEPENDS "${epoch_stamp}")

set(package_texts "${CMAKE_BINARY_DIR}/package-texts")
configure_file("${PROJECT_SOURCE_DIR}/app/package/README.txt.in" "${package_texts}/README.txt"
               @ONLY NEWLINE_STYLE CRLF)
configure_file("${PROJECT_SOURCE_DIR}/LICENSE" "${package_texts}/LICENSE.txt"
               @ONLY NEWLINE_STYLE CRLF)
install(FILES "${package_texts}/README.txt" "${package_texts}/LICENSE.txt" DESTINATION .)

file(CONFIGURE OUTPUT "${CMAKE_BINARY_DIR}/release-info" CONTENT
"name=Trinumero-${PROJECT_VERSION}-${TRINUMERO_PACKAGE_SUFFIX}
version=${PROJECT_VERSION}
epoch=${TRINUMERO_SOURCE_DATE_EPOCH}
homepage=${PROJECT_HOMEPAGE_URL}
publisher=The Trinumero authors
cmake=${CMAKE_COMMAND}
compiler=${CMAKE_CXX_COMPILER}
resource_compiler=${CMAKE_RC_COMPILER}
")
