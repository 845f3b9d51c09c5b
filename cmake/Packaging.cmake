# The Debian package: the three programs, the desktop entry with its icon, the
# data files' MIME type, the font alias and kvtool's manual page. Built by
# scripts/package.sh with CPack; `install` builds nothing by itself (the
# script builds the programs first), so packaging never builds the tests.
include(GNUInstallDirs)
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)

install(TARGETS kvmanager kvtool kvsim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/resources/desktop/kvmanager.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/kvmanager.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/resources/mime/kvmanager.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)

# fontconfig reads /etc/fonts/conf.d; Debian keeps the files in conf.avail and
# links them from there.
set(KV_FONT_CONF 65-kvmanager-ms-gothic.conf)
install(FILES ${PROJECT_SOURCE_DIR}/resources/fontconfig/${KV_FONT_CONF}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/fontconfig/conf.avail)
file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/packaging)
file(CREATE_LINK /usr/share/fontconfig/conf.avail/${KV_FONT_CONF}
     ${PROJECT_BINARY_DIR}/packaging/${KV_FONT_CONF} SYMBOLIC)
install(FILES ${PROJECT_BINARY_DIR}/packaging/${KV_FONT_CONF} DESTINATION /etc/fonts/conf.d)

# kvtool's manual page, from its --help texts.
find_program(KV_HELP2MAN help2man)
if(KV_HELP2MAN)
    add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/packaging/kvtool.1.gz
        COMMAND ${PROJECT_SOURCE_DIR}/scripts/kvtool-man.sh $<TARGET_FILE:kvtool>
                ${PROJECT_BINARY_DIR}/packaging/kvtool.1.gz
        DEPENDS kvtool ${PROJECT_SOURCE_DIR}/scripts/kvtool-man.sh
        COMMENT "Writing the manual page of kvtool")
    add_custom_target(kvtool_man DEPENDS ${PROJECT_BINARY_DIR}/packaging/kvtool.1.gz)
    install(FILES ${PROJECT_BINARY_DIR}/packaging/kvtool.1.gz
            DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
    add_custom_target(kvtool_man
        COMMAND ${CMAKE_COMMAND} -E echo "help2man is missing: no manual page for kvtool")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kvmanager)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "KV Manager developers")
set(CPACK_PACKAGE_CONTACT "KV Manager developers <kvmanager@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "manager for KV impact recorders on an RS-232 line")
set(CPACK_PACKAGE_DESCRIPTION "ＫＶマネージャー reads the state of KV impact recorders, \
downloads their measurements into CSV data files, writes their settings, and shows the files \
as graphs and tables. kvtool does the same from a shell; kvsim is a recorder simulated on a \
pseudo-terminal.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES TRUE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the libraries do not say: the window system plug-ins, the Japanese
# fonts the alias points at, and the tools that register the MIME type and
# the desktop entry.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-noto-cjk, fontconfig, shared-mime-info")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libqt6svg6, qt6-wayland, desktop-file-utils, qt6-translations-l10n, fonts-ipafont-gothic")
include(CPack)
