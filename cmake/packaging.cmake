# The Debian package: `cpack -G DEB` in the build folder.
set(CPACK_PACKAGE_NAME "suichuan-editor")
set(CPACK_PACKAGE_VENDOR "suichuan")
set(CPACK_PACKAGE_CONTACT "suichuan-editor maintainers <maintainers@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Editor for the NPC and quest scripts of game servers")
set(CPACK_PACKAGE_DESCRIPTION [[A beginner's editor for the NPC and quest scripts of online role-playing
game servers: keyword buttons and windows of ready-made snippets insert
script text, scripts are kept as GBK text byte for byte, and the program
keeps itself current from its update server.]])
set(CPACK_PACKAGE_INSTALL_DIRECTORY "suichuan-editor")
set(CPACK_GENERATOR "DEB")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "editors")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
# Debian 12's own packages; libqt6gui6 carries the X11 platform and GIF plugins, fonts-noto-cjk the
# Chinese glyphs. The layouts' Song and Kai faces (AR PL, with a Times-like serif for Latin letters)
# are needed, not merely nice: with Noto alone the wider glyphs no longer fit the fixed-size buttons
# ("[@main]", "#elsesay" and the two-line captions get cut). Qt's own translations give its dialogs
# their Chinese buttons ("确定" rather than "OK").
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "libc6 (>= 2.36), libstdc++6 (>= 12), libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), libqt6network6 (>= 6.4), libcurl4 (>= 7.88), fonts-noto-cjk, fonts-arphic-uming, fonts-arphic-ukai, fonts-liberation2, qt6-translations-l10n")
# Hands the site address to the desktop's web browser.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA "${CMAKE_CURRENT_LIST_DIR}/debian/postrm")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
