# The Debian package (cpack -G DEB from the build folder; scripts/package.sh runs it).
set(CPACK_PACKAGE_NAME zt5series)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "ORVANE")
set(CPACK_PACKAGE_CONTACT "ORVANE ZT5 software team <zt5-software@orvane.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "PC software for the ZT5 wireless temperature and humidity loggers")
set(CPACK_PACKAGE_DESCRIPTION
    "Analysis program and resident monitor for a ZT5 receiver on a serial\n\
port with up to 30 radio transmitters: read-out of recorded data, list,\n\
graph, printing, data files and CSV export, alarm limits and recording\n\
settings, continuous monitoring with alarm log, contact outputs and\n\
periodic data files. Includes zt2, a command-line tool for data files,\n\
and zt5sim, a virtual receiver. The user interface and the manual are\n\
in Japanese.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Found at run time, not by linking: the platform plugins, Qt's own Japanese texts and a
# Japanese font.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, qt6-translations-l10n, fonts-ipafont-gothic | fonts-noto-cjk")
# Opening the manual goes through the desktop's viewer.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")

include(CPack)
