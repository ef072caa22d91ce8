# The Debian package: `cpack -G DEB` in a build folder (scripts/package.sh does
# it all from a clean checkout). Installed under /usr; the dependencies on
# shared libraries are computed from the binaries by dpkg-shlibdeps.

# What Debian asks of every package beside the programs: the copyright and a
# changelog, compressed without a time stamp.
execute_process(COMMAND date -u -R -d ${VELLICO_RELEASE_DATE}
  OUTPUT_VARIABLE VELLICO_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
set(VELLICO_MAINTAINER "Vellico developers <${VELLICO_FEEDBACK_ADDRESS}>")
configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog.in ${PROJECT_BINARY_DIR}/packaging/changelog @ONLY)
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/packaging/changelog.gz
  COMMAND gzip -9nkf ${PROJECT_BINARY_DIR}/packaging/changelog
  DEPENDS ${PROJECT_BINARY_DIR}/packaging/changelog
  VERBATIM)
add_custom_target(vellico_changelog ALL DEPENDS ${PROJECT_BINARY_DIR}/packaging/changelog.gz)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${PROJECT_BINARY_DIR}/packaging/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vellico)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vellico)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CONTACT "${VELLICO_MAINTAINER}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # vellico_VERSION_ARCH.deb; the architecture is the build's
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Qt loads its window-system plugins at run time, so dpkg-shlibdeps cannot see
# them: without the xcb plugin the tray program cannot start at all. The SVG
# icon engine draws the tray icon of an icon theme; the Wayland plugin lets it
# run natively there. Qt's own translations put its dialogs in the user's language.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libqt6svg6, qt6-wayland, qt6-translations-l10n")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "color picker and swatch manager for the system tray")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Vellico picks colors from anywhere on the screen with a magnifying loupe,\n"
  "on X11 and Wayland, and copies them in eleven formats from hex and CSS\n"
  "to source code. It keeps colors in named collections, imports swatch\n"
  "files and synchronizes them between computers through a shared folder.")
include(CPack)
