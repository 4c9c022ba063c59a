# SPDX-License-Identifier: GPL-3.0-or-later
# What `cmake --install` puts where, and the Debian package made from it (cpack -G DEB).
# Default prefix /usr/local; the package installs under /usr.

include(GNUInstallDirs)
# The documentation folder is named after the package, not the project.
set(BORVELIN_INSTALL_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/borvelin)
if(WIN32)
  # A Windows program's folder holds it all side by side: the programs, the guide, the
  # licence and the example.
  set(CMAKE_INSTALL_BINDIR .)
  set(BORVELIN_INSTALL_DOCDIR .)
endif()

install(TARGETS borvelin-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES example/QSL.TXT DESTINATION ${BORVELIN_INSTALL_DOCDIR}/example)
if(WIN32)
  # Windows opens a .txt file with Notepad, and asks what to do with a .md one; Notepad
  # before Windows 10 1809 shows lines that end in LF alone as one.
  set(BORVELIN_WINDOWS_TEXT ${CMAKE_BINARY_DIR}/windows-text)
  borvelin_write_guide(${PROJECT_SOURCE_DIR}/docs/guide.md ${BORVELIN_WINDOWS_TEXT}/guide.txt Windows TRUE)
  file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
  borvelin_write_text(${BORVELIN_WINDOWS_TEXT}/LICENSE.txt "${licence}" TRUE)
  install(FILES ${BORVELIN_WINDOWS_TEXT}/guide.txt ${BORVELIN_WINDOWS_TEXT}/LICENSE.txt
          DESTINATION ${BORVELIN_INSTALL_DOCDIR})
else()
  install(FILES ${BORVELIN_GUIDE} DESTINATION ${BORVELIN_INSTALL_DOCDIR})
endif()

if(UNIX)
  # Man pages and the changelog go out compressed, as distributions ship them; -n keeps
  # the file's name and time out of the archive, so that builds are reproducible.
  find_program(GZIP gzip REQUIRED)
  function(borvelin_gzip source output)
    add_custom_command(OUTPUT ${output} COMMAND ${GZIP} -9nc ${source} > ${output} DEPENDS ${source} VERBATIM)
    set_property(GLOBAL APPEND PROPERTY BORVELIN_GZIPPED ${output})
  endfunction()
  set(gzipped ${CMAKE_BINARY_DIR}/gzipped)
  file(MAKE_DIRECTORY ${gzipped})
  borvelin_gzip(${PROJECT_SOURCE_DIR}/man/borvelin-cli.1 ${gzipped}/borvelin-cli.1.gz)
  borvelin_gzip(${PROJECT_SOURCE_DIR}/man/borvelin.1 ${gzipped}/borvelin.1.gz)
  borvelin_gzip(${PROJECT_SOURCE_DIR}/packaging/debian/changelog ${gzipped}/changelog.gz)
  get_property(gzipped_files GLOBAL PROPERTY BORVELIN_GZIPPED)
  add_custom_target(gzipped_docs ALL DEPENDS ${gzipped_files})

  install(FILES ${gzipped}/borvelin-cli.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${gzipped}/changelog.gz DESTINATION ${BORVELIN_INSTALL_DOCDIR})
  # The licence, in the machine-readable form distributions read.
  install(FILES packaging/debian/copyright DESTINATION ${BORVELIN_INSTALL_DOCDIR})
endif()

if(BORVELIN_WINDOW)
  install(TARGETS borvelin RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

# The window program's place on a freedesktop desktop: its menu entry, its software
# centre description and its icon in the hicolor theme.
if(BORVELIN_WINDOW AND UNIX AND NOT APPLE)
  install(FILES ${gzipped}/borvelin.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES data/${BORVELIN_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES data/${BORVELIN_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  foreach(size IN LISTS BORVELIN_ICON_SIZES)
    install(FILES data/icons/hicolor/${size}x${size}/apps/${BORVELIN_APP_ID}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
  install(FILES data/icons/${BORVELIN_APP_ID}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()

set(CPACK_PACKAGE_NAME borvelin)
set(CPACK_PACKAGE_VENDOR "The BORVELIN developers")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_CONTACT "The BORVELIN developers <borvelin@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Convert a QSL manager list into CSV, manager, bureau and FUL files")
# Lines of at most 80 characters, as the package's description is shown.
set(CPACK_PACKAGE_DESCRIPTION
    "For radio amateurs who keep a QSL manager list, QSL.TXT. List of 25+
writes QSL.CSV, the managers with 25 or more stations (QSLMGR.TXT) and a
failure log. QSL Buro list writes the bureau lines (QSLADM.TXT). The list
converts to the FUL format (QSL.FUL) and back. With the window program
borvelin and the command-line companion borvelin-cli.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
# Dependencies from the shared libraries the programs link (dpkg-shlibdeps, package dpkg-dev).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its platform plugin at run time, which no linked library names.
if(BORVELIN_WINDOW)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
endif()
set(CPACK_GENERATOR DEB)
if(WIN32 AND BORVELIN_WINDOW)
  include(cmake/WindowsPackage.cmake)
endif()
include(CPack)
