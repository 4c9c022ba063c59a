# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows package: an installer made by CPack's NSIS generator (Debian's nsis) and a
# ZIP of the same files. The installer has a Start menu entry for the program and one for
# the user guide, the icon, the licence page and an uninstaller.

# The static Qt links in the windows platform plugin only; with the offscreen one too, the
# program also starts without a screen (-platform offscreen), as the installer check does.
qt_import_plugins(borvelin INCLUDE Qt6::QOffscreenIntegrationPlugin)

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
# Its own name at the foot of every page, not the NSIS version it was made with, goes
# there too: CPACK_NSIS_BRANDING_TEXT always asks for /TRIM, which makensis refuses to
# build on Linux.
set(CPACK_NSIS_DEFINES "  Target amd64-unicode\n  BrandingText 'BORVELIN ${PROJECT_VERSION}'")
set(CPACK_NSIS_MUI_ICON ${BORVELIN_ICO})
set(CPACK_NSIS_MUI_UNIICON ${BORVELIN_ICO})
set(CPACK_NSIS_INSTALLED_ICON_NAME borvelin.exe)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
# Start menu: the program, which opens the folder used last (the user's Documents the
# first time: never the program's own folder, where a user may not write), and the guide.
# The program's entry has an argument, which CPACK_PACKAGE_EXECUTABLES cannot give.
set(CPACK_NSIS_CREATE_ICONS_EXTRA
    "  CreateShortCut '$SMPROGRAMS\\\\$STARTMENU_FOLDER\\\\BORVELIN.lnk' '$INSTDIR\\\\borvelin.exe' '--last-folder'")
set(CPACK_NSIS_DELETE_ICONS_EXTRA "  Delete '$SMPROGRAMS\\\\$MUI_TEMP\\\\BORVELIN.lnk'")
set(CPACK_NSIS_MENU_LINKS guide.txt "BORVELIN User Guide")
