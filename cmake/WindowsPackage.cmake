# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows package: an installer made by CPack's NSIS generator (Debian's nsis) and a
# ZIP of the same files. The installer has a Start menu entry for the program and one for
# the user guide, the icon, the licence page and an uninstaller.

# The icon of borvelin.exe, the installer and the uninstaller, made at build time from the
# committed PNGs with ImageMagick's convert, so that it always shows what they show.
find_program(BORVELIN_CONVERT convert)
if(NOT BORVELIN_CONVERT)
  message(FATAL_ERROR "The Windows icon is made with ImageMagick's convert (Debian package imagemagick).")
endif()
set(BORVELIN_ICO ${CMAKE_BINARY_DIR}/borvelin.ico)
foreach(size IN LISTS BORVELIN_ICON_SIZES)
  list(APPEND icon_pngs ${PROJECT_SOURCE_DIR}/data/icons/hicolor/${size}x${size}/apps/${BORVELIN_APP_ID}.png)
endforeach()
add_custom_command(OUTPUT ${BORVELIN_ICO} COMMAND ${BORVELIN_CONVERT} ${icon_pngs} ${BORVELIN_ICO} DEPENDS ${icon_pngs}
                   VERBATIM)
add_custom_target(borvelin_ico DEPENDS ${BORVELIN_ICO})
enable_language(RC)
set(rc ${CMAKE_BINARY_DIR}/borvelin.rc)
file(WRITE ${rc} "1 ICON \"${BORVELIN_ICO}\"\n")
target_sources(borvelin PRIVATE ${rc})
set_source_files_properties(${rc} TARGET_DIRECTORY borvelin PROPERTIES OBJECT_DEPENDS ${BORVELIN_ICO})
add_dependencies(borvelin borvelin_ico)

# The static Qt links in the windows platform plugin only; with the offscreen one too, the
# program also starts without a screen (-platform offscreen), as the installer check does.
qt_import_plugins(borvelin INCLUDE Qt6::QOffscreenIntegrationPlugin)

install(FILES LICENSE DESTINATION . RENAME LICENSE.txt)

set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PACKAGE_INSTALL_DIRECTORY BORVELIN)
set(CPACK_NSIS_PACKAGE_NAME BORVELIN)
set(CPACK_NSIS_DISPLAY_NAME "BORVELIN ${PROJECT_VERSION}")
# 64-bit programs go to the 64-bit Program Files. The installer is a 64-bit program too,
# so that it runs under wine64: NSIS's default, a 32-bit one, needs wine32. CPack's script
# template has no option for makensis's Target; CPACK_NSIS_DEFINES lands in its General
# section, before anything is compressed, where Target may stand. (The pre-arguments
# option cannot carry it: CPack splits "-XTarget amd64-unicode" at the space.)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_DEFINES "  Target amd64-unicode")
set(CPACK_NSIS_MUI_ICON ${BORVELIN_ICO})
set(CPACK_NSIS_MUI_UNIICON ${BORVELIN_ICO})
set(CPACK_NSIS_INSTALLED_ICON_NAME borvelin.exe)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# Start menu: the program, and the guide.
set(CPACK_PACKAGE_EXECUTABLES borvelin BORVELIN)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_MENU_LINKS guide.txt "BORVELIN User Guide")
