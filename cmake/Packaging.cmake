# What `cmake --install` puts where, and the Debian package made of it:
# `cpack -G DEB` in the build folder makes plexaro_<version>_<arch>.deb, with
# the documents Debian asks of every package and dependencies read from the
# binary.
include(GNUInstallDirs)

install(TARGETS plexaro RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Stripping for the package also drops the compilers' notes (.comment), as
# Debian's own tools do.
install(CODE [[
  if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND objcopy --remove-section=.comment
      "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/bin/plexaro" COMMAND_ERROR_IS_FATAL ANY)
  endif()
]])

# Desktop integration: menu entry, icon and software-centre metadata.
install(FILES resources/org.plexaro.Plexaro.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES resources/org.plexaro.Plexaro.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES resources/plexaro.png
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/128x128/apps
  RENAME org.plexaro.Plexaro.png)
foreach(size 16 22 24 32 48 64 256)
  install(FILES resources/plexaro-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
    RENAME org.plexaro.Plexaro.png)
endforeach()

set(PLEXARO_HOMEPAGE "https://plexaro.org/")
set(PLEXARO_MAINTAINER "Quennel <quennel@plexaro.org>")

# The changelog and the manual page, compressed the way Debian wants them:
# gzip -9 without a name or time stamp. Made when configuring, so that cpack
# needs nothing built but the program.
set(docdir ${CMAKE_INSTALL_DATADIR}/doc/plexaro)
foreach(doc changelog plexaro.1)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS resources/${doc})
  execute_process(COMMAND gzip -9nc ${CMAKE_CURRENT_SOURCE_DIR}/resources/${doc}
    OUTPUT_FILE ${CMAKE_CURRENT_BINARY_DIR}/${doc}.gz COMMAND_ERROR_IS_FATAL ANY)
endforeach()
install(FILES resources/copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz DESTINATION ${docdir})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/plexaro.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES resources/lintian-overrides
  DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME plexaro)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME plexaro)
set(CPACK_PACKAGE_VENDOR Quennel)
set(CPACK_PACKAGE_CONTACT ${PLEXARO_MAINTAINER})
set(CPACK_PACKAGE_HOMEPAGE_URL ${PLEXARO_HOMEPAGE})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "grows pixel worlds from one seed cell")
set(CPACK_PACKAGE_DESCRIPTION
"Plexaro is a small desktop program that grows two-dimensional pixel
worlds from a single seed cell in the middle of its window, outwards along
a square spiral, and paints them three ways: as they grew, as colour runs
along the spiral, or as a rainbow of coloured groups.

Worlds come in two colours or in many, and can be saved as bitmap files
and printed.")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Opened when the first print is made, so not among the libraries the
# binary names.
set(CPACK_DEBIAN_PACKAGE_DEPENDS libcups2)
# Qt picks its Wayland plugin by itself in a Wayland session.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)
# The same bytes from the same source, whenever and wherever it is made.
set(CPACK_PLEXARO_SOURCE_DATE ${PLEXARO_SOURCE_DATE})
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/PackageStamp.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/PackageStamp.cmake)

include(CPack)
