# SPDX-License-Identifier: GPL-3.0-or-later
# The user guide as one system shows it: docs/guide.md holds passages for each system,
# each after a line `<!-- on Windows -->` or `<!-- on Linux -->` and up to the next such
# line or `<!-- on every system -->`. The guide of one system keeps its own passages and
# those for every system; the marking lines go. Made when CMake runs, and again whenever
# the guide changes.

# Writes `text` to `output`, its lines ending in CR LF when `crlf` is true.
function(borvelin_write_text output text crlf)
  if(crlf)
    string(REPLACE "\n" "\r\n" text "${text}")
  endif()
  if(EXISTS ${output})
    file(READ ${output} old)
    if(old STREQUAL text)
      return() # left as it is, so that nothing that uses it is rebuilt
    endif()
  endif()
  file(WRITE ${output} "${text}")
endfunction()

# The guide of `system` (Windows or Linux) from `input` into `output`.
function(borvelin_write_guide input output system crlf)
  set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${input})
  file(READ ${input} text)
  set(guide "")
  set(keep TRUE)
  string(LENGTH "${text}" left)
  while(left GREATER 0)
    string(FIND "${text}" "\n" end)
    if(end EQUAL -1)
      set(line "${text}")
      set(text "")
    else()
      string(SUBSTRING "${text}" 0 ${end} line)
      math(EXPR end "${end} + 1")
      string(SUBSTRING "${text}" ${end} -1 text)
    endif()
    string(LENGTH "${text}" left)
    if(line MATCHES "^<!-- on (Windows|Linux|every system) -->$")
      if(CMAKE_MATCH_1 STREQUAL "every system" OR CMAKE_MATCH_1 STREQUAL "${system}")
        set(keep TRUE)
      else()
        set(keep FALSE)
      endif()
    elseif(keep)
      string(APPEND guide "${line}\n")
    endif()
  endwhile()
  borvelin_write_text(${output} "${guide}" ${crlf})
endfunction()
