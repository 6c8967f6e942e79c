# The Debian package: `cpack -G DEB` in the build folder writes
# quintara_<version>_<arch>.deb with everything `cmake --install` puts
# below /usr.
set(CPACK_PACKAGE_NAME quintara)
set(CPACK_PACKAGE_VENDOR "Quintara")
set(CPACK_PACKAGE_CONTACT "Quintara maintainers <maintainers@quintara.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Labels the function-key strip of the Telvora V7 telephone")
set(CPACK_PACKAGE_DESCRIPTION
    "Quintara writes and prints the paper insert strip that labels the 16 function keys of the \
Telvora V7 telephone and fetches the key names from the apparatus over a serial line. \
German user interface.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
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

include(CPack)
