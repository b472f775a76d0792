# Installing and packaging: the game, the level tool, the default data, the
# desktop entry, AppStream metadata, icons, man pages, the Tiled extension
# and the Debian package (scripts/package). The sources of the documents
# are in dist/.
include(GNUInstallDirs)

set(FLYER_APP_ID io.github.flyerdemo.flyer)
set(FLYER_RELEASE_DATE 2026-12-08)
set(FLYER_HOMEPAGE https://github.com/flyerdemo/flyer)
set(FLYER_DEVELOPER "The flyer developers")
set(FLYER_MAINTAINER "${FLYER_DEVELOPER} <flyerdemo@users.noreply.github.com>")
set(FLYER_LICENSE MIT)
set(FLYER_ICON_SIZES 16 32 48 64 128 256)
# Debian keeps games and their tools in /usr/games: scripts/package sets
# this to "games".
set(FLYER_INSTALL_BINDIR ${CMAKE_INSTALL_BINDIR} CACHE STRING "Where flyer and flyer-level go, under the prefix")

set(DIST_SOURCES ${CMAKE_SOURCE_DIR}/dist)
set(DIST_DIR ${CMAKE_BINARY_DIR}/dist)

# Icons, painted from the ship's shapes at each size.
set(icons "")
foreach(size ${FLYER_ICON_SIZES})
  set(icon ${DIST_DIR}/icons/${size}x${size}/apps/${FLYER_APP_ID}.png)
  add_custom_command(
    OUTPUT ${icon}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${DIST_DIR}/icons/${size}x${size}/apps
    COMMAND make-icon ${ASSET_SOURCES}/ship.shapes 36 ${size} ${icon}
    DEPENDS make-icon ${ASSET_SOURCES}/ship.shapes
    COMMENT "Painting the ${size} x ${size} icon")
  list(APPEND icons ${icon})
endforeach()

# Man pages, metadata and the package's changelog: the version and dates
# filled in, the pages and changelog compressed as Debian keeps them.
configure_file(${DIST_SOURCES}/flyer.6.in ${DIST_DIR}/flyer.6 @ONLY)
configure_file(${DIST_SOURCES}/flyer-level.1.in ${DIST_DIR}/flyer-level.1 @ONLY)
configure_file(${DIST_SOURCES}/flyer.metainfo.xml.in ${DIST_DIR}/${FLYER_APP_ID}.metainfo.xml @ONLY)
set(compressed "")
foreach(file ${DIST_DIR}/flyer.6 ${DIST_DIR}/flyer-level.1 ${DIST_SOURCES}/changelog)
  get_filename_component(name ${file} NAME)
  add_custom_command(
    OUTPUT ${DIST_DIR}/${name}.gz
    COMMAND gzip -9nc ${file} > ${DIST_DIR}/${name}.gz
    DEPENDS ${file}
    COMMENT "Compressing ${name}")
  list(APPEND compressed ${DIST_DIR}/${name}.gz)
endforeach()
add_custom_target(dist ALL DEPENDS ${icons} ${compressed})

install(TARGETS flyer flyer-level RUNTIME DESTINATION ${FLYER_INSTALL_BINDIR})
# A stripped install (the package's) also drops the compilers' .comment
# notes, as Debian's own packages do.
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    foreach(program flyer flyer-level)
      execute_process(COMMAND ${CMAKE_OBJCOPY} --remove-section=.comment
                      \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${FLYER_INSTALL_BINDIR}/\${program}\")
    endforeach()
  endif()")
install(FILES ${FLYER_DATA_DIR}/demo.lvl ${FLYER_DATA_DIR}/tileset.bmp ${FLYER_SPRITE_PATHS}
              ${FLYER_DATA_DIR}/tables.json
        DESTINATION ${CMAKE_INSTALL_DATADIR}/flyer)
install(DIRECTORY ${DIST_DIR}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${DIST_DIR}/${FLYER_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${DIST_DIR}/flyer.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${DIST_DIR}/flyer-level.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${DIST_SOURCES}/copyright ${DIST_DIR}/changelog.gz ${CMAKE_SOURCE_DIR}/README.md
              ${CMAKE_SOURCE_DIR}/CONTRIBUTING.md
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
# The README's links and pictures point into docs/.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/docs DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The desktop entry runs the game from its data folder, so Path= and Exec=
# must be absolute: they are filled in when installing, from the prefix
# the files really go to (`cmake --install --prefix`, or /usr in the package).
install(CODE "
  set(FLYER_APP_ID ${FLYER_APP_ID})
  set(FLYER_BIN \"\${CMAKE_INSTALL_PREFIX}/${FLYER_INSTALL_BINDIR}\")
  set(FLYER_DATA \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/flyer\")
  configure_file(${DIST_SOURCES}/flyer.desktop.in ${DIST_DIR}/${FLYER_APP_ID}.desktop @ONLY)
  file(INSTALL ${DIST_DIR}/${FLYER_APP_ID}.desktop
       DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications\")")

# The Tiled extension, with installed.json beside it: where the programs
# and the data went, for the extension to find them. flyer-level
# tiled-extension finds the extension from its own folder.
set(FLYER_TILED_DIR ${CMAKE_INSTALL_DATADIR}/flyer/tiled)
install(DIRECTORY ${DIST_SOURCES}/tiled/ DESTINATION ${FLYER_TILED_DIR} FILES_MATCHING PATTERN "*.js")
install(CODE "
  set(FLYER_BIN \"\${CMAKE_INSTALL_PREFIX}/${FLYER_INSTALL_BINDIR}\")
  set(FLYER_DATA \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/flyer\")
  configure_file(${DIST_SOURCES}/tiled-installed.json.in ${DIST_DIR}/installed.json @ONLY)
  file(INSTALL ${DIST_DIR}/installed.json DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${FLYER_TILED_DIR}\")")
file(RELATIVE_PATH FLYER_TILED_FROM_BIN /${FLYER_INSTALL_BINDIR} /${FLYER_TILED_DIR})
target_compile_definitions(flyer-level PRIVATE FLYER_TILED_FROM_BIN="${FLYER_TILED_FROM_BIN}")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME flyer)
set(CPACK_PACKAGE_VENDOR "${FLYER_DEVELOPER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "full-screen flying demo over a tiled level")
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "You steer one ship over a large level of square tiles, seen from straight"
  "above, with a field of stars behind it. The ship bounces off solid tiles,"
  "exhaust streams while it thrusts, and it fires bullets. It draws with"
  "OpenGL 1.1 through SDL 1.2 and needs an X display."
  ""
  "The package holds the game, a demo level, the default tileset and sprites,"
  "and flyer-level, which builds new levels from maps drawn in the Tiled map"
  "editor.")
set(CPACK_PACKAGE_CONTACT "${FLYER_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${FLYER_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${FLYER_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# SDL 1.2 opens libGL.so.1 itself when it sets an OpenGL mode, out of
# dpkg-shlibdeps' sight.
set(CPACK_DEBIAN_PACKAGE_DEPENDS libgl1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
