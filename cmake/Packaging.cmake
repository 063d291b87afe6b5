# Install rules and the Debian package: the game, its desktop entry, AppStream metadata and icons.
include(GNUInstallDirs)

install(TARGETS wedgora RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/data/wedgora.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/example.wedgora.Wedgora.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 48 64 128 256)
  install(FILES ${WEDGORA_ICON_DIR}/wedgora-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME wedgora.png)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME wedgora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Wedgora developers")
set(CPACK_PACKAGE_CONTACT "The Wedgora developers <maintainers@wedgora.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arcade puzzle game: fill the pies with coloured segments")
set(CPACK_PACKAGE_DESCRIPTION
    "Six pies stand in a ring around a centre pie that shows the next segment. Click a pie to\n\
drop the segment into its slot and score for every segment of that colour the pie holds,\n\
before the turn timer runs out. Full pies, one-colour pies and three bonus powers.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libsdl2-2.0-0 (>= 2.0.20), libc6, libstdc++6, libgcc-s1")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://wedgora.example/1")
set(CPACK_STRIP_FILES ON)
include(CPack)
