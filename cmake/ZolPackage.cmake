# The Debian package (./scripts/build.sh package): everything `cmake --install` places, under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zoltools)
set(CPACK_PACKAGE_VENDOR "Brenmoor")
set(CPACK_PACKAGE_CONTACT "Brenmoor ZOL Tools <zoltools@brenmoor.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "programming tools for the ZOL addressable fire-alarm control panel")
set(CPACK_PACKAGE_DESCRIPTION "\
ZOL Tools edits a ZOL panel configuration (detector loops, zones,\n\
sounder groups, output sets, cause and effect, site details, network),\n\
keeps it in .QEM files, loads it from and saves it to the panel over a\n\
serial cable, reads the panel's event history and prints the\n\
configuration. zolctl is its command-line companion and zolpanel-sim an\n\
emulated panel for trying the tools without one.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# dpkg-shlibdeps (dpkg-dev) names the libraries the programs link: libqt6core6, libqt6gui6,
# libqt6widgets6, libqt6serialport6, libqt6svg6, libqt6printsupport6, libxlsxwriter4 (the
# device schedules' workbooks), libstdc++6, libc6; scripts/check-package.sh checks each.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What Qt loads at run time rather than links: the windowing plugins (xcb, wayland) and the
# fonts the reports are measured in.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2")
# What the desktop integration needs to take effect: the MIME database, the desktop database
# (its triggers register the .QEM association) and the icon theme the icons go into.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils, hicolor-icon-theme")
# zolctl's completion takes effect where bash-completion is installed.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "bash-completion")

include(CPack)
