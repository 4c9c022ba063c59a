# SPDX-License-Identifier: GPL-3.0-or-later
# The window tests (QtTest). On Linux they run on the offscreen platform, and once more on
# X11 under Xvfb when it is there. In a Windows build they run under wine: offscreen, and
# once more on the windows platform, each on an Xvfb display of its own.
find_package(Qt6 REQUIRED COMPONENTS Test)

if(WIN32)
  find_program(XVFB_RUN xvfb-run)
  if(NOT CMAKE_CROSSCOMPILING_EMULATOR OR NOT XVFB_RUN)
    message(FATAL_ERROR "The Windows window tests run under wine64 and xvfb-run; install them (Debian packages "
                        "wine64 and xvfb) or configure with -DBORVELIN_TESTS=OFF.")
  endif()
  set(wine_runner ${CMAKE_CURRENT_SOURCE_DIR}/windows/run-window-test.sh)
else()
  find_program(XVFB_RUN xvfb-run)
endif()

# Runs NAME's program under wine on PLATFORM; the tests share one wine prefix, one at a time.
function(borvelin_add_wine_window_test test name platform)
  add_test(NAME ${test} COMMAND bash ${wine_runner} ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:${name}> ${platform})
  set_tests_properties(${test} PROPERTIES ENVIRONMENT "${BORVELIN_WINE_ENVIRONMENT}" RESOURCE_LOCK wineprefix)
endfunction()

function(borvelin_add_window_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE borvelin_window Qt6::Test)
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  if(WIN32)
    # A static Qt links in only the windows platform plugin by itself.
    qt_import_plugins(${name} INCLUDE Qt6::QOffscreenIntegrationPlugin)
    borvelin_add_wine_window_test(${name} ${name} offscreen)
    borvelin_add_wine_window_test(${name}_windows ${name} windows)
    return()
  endif()
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  if(XVFB_RUN)
    add_test(NAME ${name}_xcb COMMAND ${XVFB_RUN} -a -s "-screen 0 1280x1024x24" $<TARGET_FILE:${name}>)
    set_tests_properties(${name}_xcb PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=xcb")
  endif()
endfunction()

borvelin_add_window_test(shell_tests shell/tst_frmMain.cpp)
if(WIN32)
  # The test reads the source tree's icons, which a Windows program sees on drive Z:.
  target_compile_definitions(shell_tests PRIVATE BORVELIN_SOURCE_DIR="Z:${PROJECT_SOURCE_DIR}")
else()
  target_compile_definitions(shell_tests PRIVATE BORVELIN_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
endif()
borvelin_add_window_test(dialogs_tests dialogs/tst_dialogs.cpp)
if(WIN32)
  # System Info's keys in the real registry, and a program for it to start.
  target_sources(dialogs_tests PRIVATE support/ScratchRegistry.cpp)
  add_executable(mark-started WIN32 dialogs/MarkStarted.cpp)
  add_dependencies(dialogs_tests mark-started)
endif()
borvelin_add_window_test(folder_tests shell/tst_folders.cpp)
borvelin_add_window_test(list_tests shell/tst_list.cpp)
borvelin_add_window_test(rough_edges_tests shell/tst_roughEdges.cpp)
if(WIN32)
  target_compile_definitions(rough_edges_tests PRIVATE BORVELIN_SOURCE_DIR="Z:${PROJECT_SOURCE_DIR}")
else()
  target_compile_definitions(rough_edges_tests PRIVATE BORVELIN_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
endif()

# The failure log's dates as the window program and borvelin-cli write them, under a
# locale that is not English (CI installs it; elsewhere the test is skipped without it).
add_executable(log_dates_tests shell/tst_logDates.cpp)
target_link_libraries(log_dates_tests PRIVATE borvelin_window Qt6::Test)
target_include_directories(log_dates_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
add_dependencies(log_dates_tests borvelin-cli)
if(WIN32)
  target_compile_definitions(log_dates_tests PRIVATE BORVELIN_CLI="Z:$<TARGET_FILE:borvelin-cli>")
  qt_import_plugins(log_dates_tests INCLUDE Qt6::QOffscreenIntegrationPlugin)
  borvelin_add_wine_window_test(log_dates_tests log_dates_tests offscreen)
else()
  target_compile_definitions(log_dates_tests PRIVATE BORVELIN_CLI="$<TARGET_FILE:borvelin-cli>")
  add_test(NAME log_dates_tests COMMAND log_dates_tests)
  set_tests_properties(log_dates_tests PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endif()
set_property(TEST log_dates_tests APPEND PROPERTY ENVIRONMENT LC_ALL=cs_CZ.UTF-8)
set_tests_properties(log_dates_tests PROPERTIES SKIP_REGULAR_EXPRESSION "SKIP   : ")

# Settings the window cannot read or write, and failed jobs as the window reports them.
# Run as root, it changes to the user nobody first, so it runs offscreen only.
add_executable(window_fault_tests faults/tst_windowFaults.cpp)
target_link_libraries(window_fault_tests PRIVATE borvelin_window Qt6::Test)
target_include_directories(window_fault_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
if(WIN32)
  qt_import_plugins(window_fault_tests INCLUDE Qt6::QOffscreenIntegrationPlugin)
  borvelin_add_wine_window_test(window_fault_tests window_fault_tests offscreen)
else()
  target_link_libraries(window_fault_tests PRIVATE borvelin_test_support)
  # The command line and the window working in one folder.
  target_compile_definitions(window_fault_tests PRIVATE BORVELIN_CLI="$<TARGET_FILE:borvelin-cli>")
  add_dependencies(window_fault_tests borvelin-cli)
  add_test(NAME window_fault_tests COMMAND window_fault_tests)
  set_tests_properties(window_fault_tests PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endif()
