# Installation and the two release packages, made by CPack (tools/package runs it):
#   Linux:   quillon_<version>-<revision>_<arch>.deb (cpack -G DEB) with the launcher as /usr/bin/quillon,
#            quillon-cli, the sample machine table, the desktop entry, the icon, the AppStream
#            metadata, the manual pages, copyright and changelog.
#   Windows: Quillon-<version>-windows-x64.zip (cpack -G ZIP) with the three programs, the
#            machine table and README-ja.txt, every name in it ASCII.
# QUILLON_PACKAGE adds what needs tools beyond the compiler (rsvg-convert for the icon's PNG
# files, scdoc for the manual pages); without it `cmake --install` installs the programs, the
# table, the desktop entry and the drawing.
option(QUILLON_PACKAGE "Build everything the release packages hold (icons, manual pages)" OFF)
# Installing (and CPack) takes what is built, without building every target first: tools/package
# builds only what goes into the packages.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_PACKAGE_NAME quillon)
set(CPACK_PACKAGE_VENDOR "The Quillon developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calculators for programming and setting up CNC lathes")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(QUILLON_CONTACT "The Quillon developers <quillon@example.org>")
set(QUILLON_HOMEPAGE "https://example.org/quillon")

if(WIN32)
  if(QUILLON_GUI OR NOT TARGET Quillon)
    return()
  endif()
  # The folder to copy onto the control PC, as it is: no folder inside the zip.
  install(TARGETS Quillon Orbane orbane_calculator RUNTIME DESTINATION .)
  install(FILES ${PROJECT_SOURCE_DIR}/data/Machine.CSV DESTINATION .)
  # README-ja.txt in CP932 with CR LF: Notepad on any Japanese Windows shows it as it is.
  configure_file(${PROJECT_SOURCE_DIR}/packaging/README-ja.txt.in
                 ${PROJECT_BINARY_DIR}/packaging/README-ja.utf8.txt @ONLY)
  find_program(QUILLON_ICONV iconv REQUIRED)
  add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/packaging/README-ja.txt
    COMMAND ${CMAKE_COMMAND} -DIN=${PROJECT_BINARY_DIR}/packaging/README-ja.utf8.txt
            -DOUT=${PROJECT_BINARY_DIR}/packaging/README-ja.txt -DICONV=${QUILLON_ICONV}
            -P ${PROJECT_SOURCE_DIR}/cmake/Cp932Text.cmake
    DEPENDS ${PROJECT_BINARY_DIR}/packaging/README-ja.utf8.txt
            ${PROJECT_SOURCE_DIR}/cmake/Cp932Text.cmake VERBATIM)
  add_custom_target(quillon_readme_ja ALL DEPENDS ${PROJECT_BINARY_DIR}/packaging/README-ja.txt)
  install(FILES ${PROJECT_BINARY_DIR}/packaging/README-ja.txt DESTINATION .)

  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME Quillon-${PROJECT_VERSION}-windows-x64)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
  include(CPack)
  return()
endif()

include(GNUInstallDirs)
install(TARGETS quillon-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The sample table: the programs find it relative to themselves (../share/quillon).
install(FILES ${PROJECT_SOURCE_DIR}/data/Machine.CSV DESTINATION ${CMAKE_INSTALL_DATADIR}/quillon)
if(NOT TARGET Quillon)
  return()
endif()

# The launcher is built as "Quillon" (tools/run starts it from there) and installed under the
# lower-case name Linux programs have.
install(TARGETS Quillon RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(CODE "
  set(_bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  file(RENAME \"\${_bin}/Quillon\" \"\${_bin}/quillon\")
")

set(QUILLON_APP_ID org.example.quillon)  # a placeholder until the project has a public home
install(FILES ${PROJECT_SOURCE_DIR}/packaging/${QUILLON_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/quillon.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The release named in the AppStream metadata: the newest entry of the package's changelog,
# whose version must be the project's.
file(STRINGS ${PROJECT_SOURCE_DIR}/packaging/changelog _changelog_top LIMIT_COUNT 1)
file(STRINGS ${PROJECT_SOURCE_DIR}/packaging/changelog _changelog_dates REGEX "^ -- ")
list(GET _changelog_dates 0 _changelog_date)
# The package's version is the project's with the packaging revision of that entry: 1.40-1.
if(NOT _changelog_top MATCHES "^quillon \\(${PROJECT_VERSION}-([0-9]+)\\) ")
  message(FATAL_ERROR "packaging/changelog: the newest entry is not version ${PROJECT_VERSION}-N; "
                      "add an entry for it")
endif()
set(QUILLON_DEBIAN_REVISION ${CMAKE_MATCH_1})
string(REGEX MATCH "[0-9]+ [A-Z][a-z][a-z] [0-9]+" _day "${_changelog_date}")
string(REPLACE " " ";" _day "${_day}")
list(GET _day 0 _d)
list(GET _day 1 _m)
list(GET _day 2 _y)
set(_months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND _months ${_m} _mi)
math(EXPR _mi "${_mi} + 1")
string(LENGTH "${_d}" _dl)
if(_dl EQUAL 1)
  set(_d 0${_d})
endif()
if(_mi LESS 10)
  set(_mi 0${_mi})
endif()
set(QUILLON_RELEASE_DATE ${_y}-${_mi}-${_d})
configure_file(${PROJECT_SOURCE_DIR}/packaging/${QUILLON_APP_ID}.metainfo.xml.in
               ${PROJECT_BINARY_DIR}/packaging/${QUILLON_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/packaging/${QUILLON_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

if(NOT QUILLON_PACKAGE)
  return()
endif()

# The icon theme's PNG sizes, rendered from the drawing.
include(${PROJECT_SOURCE_DIR}/cmake/AppIcon.cmake)
set(_sizes 16 22 24 32 48 64 128 256)
quillon_app_icon_pngs(_pngs ${_sizes})
add_custom_target(quillon_app_icons ALL DEPENDS ${_pngs})
foreach(size ${_sizes})
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/app-icon/${size}x${size}/quillon.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# Manual pages from their scdoc texts, and the changelog, compressed as Debian keeps them
# (gzip -n: no name or time inside, so the same input gives the same bytes).
find_program(QUILLON_SCDOC scdoc REQUIRED)
find_program(QUILLON_GZIP gzip REQUIRED)
set(_docs)
foreach(page quillon quillon-cli)
  set(out ${PROJECT_BINARY_DIR}/packaging/${page}.1.gz)
  add_custom_command(OUTPUT ${out}
    COMMAND sh -c "\"$0\" < \"$1\" | \"$2\" -9n > \"$3\"" ${QUILLON_SCDOC}
            ${PROJECT_SOURCE_DIR}/packaging/${page}.1.scd ${QUILLON_GZIP} ${out}
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/${page}.1.scd VERBATIM)
  install(FILES ${out} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  list(APPEND _docs ${out})
endforeach()
set(_changelog ${PROJECT_BINARY_DIR}/packaging/changelog.Debian.gz)
add_custom_command(OUTPUT ${_changelog}
  COMMAND sh -c "\"$0\" -9nc < \"$1\" > \"$2\"" ${QUILLON_GZIP}
          ${PROJECT_SOURCE_DIR}/packaging/changelog ${_changelog}
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog VERBATIM)
list(APPEND _docs ${_changelog})
add_custom_target(quillon_package_docs ALL DEPENDS ${_docs})
install(FILES ${_changelog} ${PROJECT_SOURCE_DIR}/packaging/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quillon)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${QUILLON_DEBIAN_REVISION})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # quillon_1.40-1_amd64.deb
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QUILLON_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${QUILLON_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The libraries the programs link (dpkg-shlibdeps), and the Qt platform plugins, which the Qt
# libraries only recommend and without which no window opens; the Japanese font is recommended.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(QUILLON_QT_MAJOR STREQUAL "6")
  set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
endif()
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-noto-cjk)
# The extended description; CPack puts the summary above it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Quillon is a toolbox of small calculators for the people who program and
run CNC lathes. A small launcher that stays on top opens one window per
task: contour geometry (corner radii, intersections of lines and circles,
tangents, undercut grooves, nose-radius compensation) and machining aids
(spindle speed, a calculator, thread tables, turret interference, a
stopwatch, comments). Every result copies to the clipboard as NC text.
.
The user interface is Japanese. quillon-cli drives every window without a
display and prints what it shows as JSON.")
include(CPack)
