# How the guards of src/ read an #include "..." line: a path with a slash is
# relative to src/, a bare name lies beside the including file (and, as the
# compiler finds it, a path with a slash that is not under src/ may too).

# The #include "..." lines of <file>, as written, into <out>.
function(zumeri_includes out file)
  file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  set(headers)
  foreach(line ${lines})
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" header "${line}")
    list(APPEND headers "${header}")
  endforeach()
  set(${out} ${headers} PARENT_SCOPE)
endfunction()

# The file of src/ that <header>, included by <source> (both relative to
# <src>), names, relative to <src>; "" when it names none there.
function(zumeri_included out src source header)
  cmake_path(GET source PARENT_PATH dir)
  cmake_path(APPEND dir ${header} OUTPUT_VARIABLE beside)
  if(header MATCHES "/")
    set(candidates ${header} ${beside})
  else()
    set(candidates ${beside})
  endif()
  foreach(candidate ${candidates})
    cmake_path(NORMAL_PATH candidate)
    if(NOT candidate MATCHES "^\\.\\./" AND EXISTS ${src}/${candidate}
        AND NOT IS_DIRECTORY ${src}/${candidate})
      set(${out} ${candidate} PARENT_SCOPE)
      return()
    endif()
  endforeach()
  set(${out} "" PARENT_SCOPE)
endfunction()
