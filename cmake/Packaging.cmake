# The Debian package: `cpack -G DEB` in the build folder writes
# quintara_<version>_<arch>.deb with everything `cmake --install` puts
# below /usr.
set(CPACK_PACKAGE_NAME quintara)
set(CPACK_PACKAGE_VENDOR "Quintara")
set(CPACK_PACKAGE_CONTACT "Quintara maintainers <maintainers@quintara.invalid>")
# The description as Debian writes it: a synopsis without article or full
# stop, then paragraphs of lines within 80 columns (CPack puts the leading
# blank before each line and writes an empty line as " .").
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for the key label strip of the Telvora V7 telephone")
set(CPACK_PACKAGE_DESCRIPTION "Quintara writes and prints the paper insert strip that labels the 16
function keys of the Telvora V7 telephone, and fetches the key names from
the apparatus over a serial line.

The names are typed on the picture of the strip, each field may have a
colour of its own, and the strip is printed at true size with its title and
the date. Several strips fit on one sheet, names come from and go to CSV
files, and each printer is calibrated once. Strips can be printed from the
command line without a display. The user interface is German.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The program is stripped when it is packaged; its .comment section goes
# when it is linked (see src/CMakeLists.txt).
set(CPACK_STRIP_FILES ON)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the program links (Qt, libc, libstdc++) are found by
# dpkg-shlibdeps; Qt Serial Port, which lists the serial devices, is named
# as well so that the dependency stays when the program is linked
# differently. The rest is needed at run time without being linked: the
# platform plugin, the German texts of Qt's standard dialogs, the font that
# stands in for Arial, and the tools that take in the file type and the
# desktop entry.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, libqt6serialport6, qt6-translations-l10n, fonts-liberation2, shared-mime-info, desktop-file-utils")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, hicolor-icon-theme")
# No maintainer scripts: shared-mime-info, desktop-file-utils and the icon
# theme watch /usr/share/mime/packages, /usr/share/applications and
# /usr/share/icons/hicolor with dpkg file triggers and refresh their
# databases when this package is installed or removed.

# What Debian wants beside the program: the machine-readable copyright, the
# change log and the manual pages, compressed as dh would (gzip -9n: no name
# or time in the header, so that builds are reproducible), and the AppStream
# metainfo that software centres list the program by.
find_program(GZIP_TOOL gzip REQUIRED)
set(_doc_build ${PROJECT_BINARY_DIR}/packaging)
set(_compressed "")
# The change log as Debian reads one, made from CHANGELOG.md.
add_custom_command(
  OUTPUT ${_doc_build}/changelog
  COMMAND ${CMAKE_COMMAND} -DIN=${PROJECT_SOURCE_DIR}/CHANGELOG.md -DOUT=${_doc_build}/changelog
          "-DMAINTAINER=${CPACK_PACKAGE_CONTACT}" -P ${PROJECT_SOURCE_DIR}/cmake/DebianChangelog.cmake
  DEPENDS ${PROJECT_SOURCE_DIR}/CHANGELOG.md ${PROJECT_SOURCE_DIR}/cmake/DebianChangelog.cmake
  VERBATIM)
add_custom_command(
  OUTPUT ${_doc_build}/changelog.gz
  COMMAND ${GZIP_TOOL} -9n -c ${_doc_build}/changelog > ${_doc_build}/changelog.gz
  DEPENDS ${_doc_build}/changelog
  VERBATIM)
list(APPEND _compressed ${_doc_build}/changelog.gz)
foreach(_pair "man/quintara.1|man1/quintara.1.gz"
              "man/de/quintara.1|de/man1/quintara.1.gz")
  string(REPLACE "|" ";" _pair ${_pair})
  list(GET _pair 0 _from)
  list(GET _pair 1 _to)
  get_filename_component(_to_dir ${_doc_build}/${_to} DIRECTORY)
  add_custom_command(
    OUTPUT ${_doc_build}/${_to}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${_to_dir}
    COMMAND ${GZIP_TOOL} -9n -c ${PROJECT_SOURCE_DIR}/${_from} > ${_doc_build}/${_to}
    DEPENDS ${PROJECT_SOURCE_DIR}/${_from}
    VERBATIM)
  list(APPEND _compressed ${_doc_build}/${_to})
endforeach()
add_custom_target(package_docs ALL DEPENDS ${_compressed})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${_doc_build}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${_doc_build}/man1/quintara.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${_doc_build}/de/man1/quintara.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/de/man1)
install(FILES ${PROJECT_SOURCE_DIR}/resources/metainfo/de.quintara.quintara.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

include(CPack)
