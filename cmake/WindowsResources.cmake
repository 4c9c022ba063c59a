# SPDX-License-Identifier: GPL-3.0-or-later
# A Windows program's resources: the version information that Explorer's Details tab
# shows, from the project's one version number, and the manifest (per-monitor DPI
# awareness, common controls 6, no administrator asked for); with ICON, the icon too.
enable_language(RC)

function(borvelin_add_windows_resources target description)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "ICON" "")
  set(BORVELIN_RC_NAME ${target})
  set(BORVELIN_RC_DESCRIPTION "${description}")
  set(BORVELIN_RC_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0)
  set(BORVELIN_RC_ICON "")
  if(arg_ICON)
    set(BORVELIN_RC_ICON "1 ICON \"${arg_ICON}\"")
  endif()
  set(folder ${CMAKE_BINARY_DIR}/windows-resources)
  set(BORVELIN_RC_MANIFEST ${folder}/${target}.manifest)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/program.manifest.in ${BORVELIN_RC_MANIFEST} @ONLY)
  set(rc ${folder}/${target}.rc)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/program.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
  set_source_files_properties(${rc} TARGET_DIRECTORY ${target} PROPERTIES OBJECT_DEPENDS
                                                                         "${BORVELIN_RC_MANIFEST};${arg_ICON}")
endfunction()

# The icon of borvelin.exe, the installer and the uninstaller, made at build time from the
# committed PNGs with ImageMagick's convert, so that it always shows what they show.
set(BORVELIN_ICO ${CMAKE_BINARY_DIR}/borvelin.ico)

# Makes BORVELIN_ICO for `target`, whose resources show it.
function(borvelin_make_windows_icon target)
  find_program(BORVELIN_CONVERT convert)
  if(NOT BORVELIN_CONVERT)
    message(FATAL_ERROR "The Windows icon is made with ImageMagick's convert (Debian package imagemagick).")
  endif()
  foreach(size IN LISTS BORVELIN_ICON_SIZES)
    list(APPEND pngs ${PROJECT_SOURCE_DIR}/data/icons/hicolor/${size}x${size}/apps/${BORVELIN_APP_ID}.png)
  endforeach()
  add_custom_command(OUTPUT ${BORVELIN_ICO} COMMAND ${BORVELIN_CONVERT} ${pngs} ${BORVELIN_ICO} DEPENDS ${pngs}
                     VERBATIM)
  add_custom_target(${target}_ico DEPENDS ${BORVELIN_ICO})
  add_dependencies(${target} ${target}_ico)
endfunction()
