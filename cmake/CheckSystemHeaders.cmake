# Checks where system headers may be included (run by CTest as
# layering.system_headers):
#   Qt headers       only in the Qt back end (src/platform/qt/, the flat
#                    back-end files of src/platform and *_qt.h headers);
#   Windows headers  only in src/platform/windows/;
#   POSIX headers    only in src/platform/posix/;
#   none at all      in the core (src/platform/core/ and the files listed
#                    in CORE), in the platform's other headers and in every
#                    folder above the platform layer.
# Program entry points (app/) and tests are not checked.
# Arguments: -DROOT=<source tree> -DCORE=<a,b,...>
cmake_minimum_required(VERSION 3.25)
set(qt_re "#[ \t]*include[ \t]*<Q[A-Za-z0-9_]*(/[A-Za-z0-9_]+)?>")
set(win_re "#[ \t]*include[ \t]*<(windows|winsock2|ws2tcpip|winreg|winbase|winuser|wingdi|shellapi|shlobj|shlwapi|commctrl|commdlg|objbase|ole2|tchar|io|direct)\\.h>")
set(posix_re "#[ \t]*include[ \t]*<(unistd|fcntl|poll|dirent|pthread|signal|termios|pwd|grp|dlfcn|netdb|spawn|sys/[a-z_]+|netinet/[a-z_]+|arpa/[a-z_]+)\\.h>")

string(REPLACE "," ";" CORE "${CORE}")
set(failures "")
function(check file forbid_qt forbid_win forbid_posix)
  file(STRINGS ${file} lines REGEX "#[ \t]*include")
  foreach(line IN LISTS lines)
    set(kind "")
    if(forbid_qt AND line MATCHES "${qt_re}")
      set(kind "Qt")
    elseif(forbid_win AND line MATCHES "${win_re}")
      set(kind "Windows")
    elseif(forbid_posix AND line MATCHES "${posix_re}")
      set(kind "POSIX")
    endif()
    if(kind)
      file(RELATIVE_PATH rel ${ROOT} ${file})
      string(STRIP "${line}" line)
      list(APPEND failures "${rel}: ${kind} header: ${line}")
      set(failures "${failures}" PARENT_SCOPE)
    endif()
  endforeach()
endfunction()

file(GLOB_RECURSE sources ${ROOT}/src/*.cpp ${ROOT}/src/*.h)
foreach(file IN LISTS sources)
  file(RELATIVE_PATH rel ${ROOT}/src ${file})
  get_filename_component(name ${file} NAME)
  if(rel MATCHES "^platform/windows/")
    check(${file} ON OFF ON)
  elseif(rel MATCHES "^platform/posix/")
    check(${file} ON ON OFF)
  elseif(rel MATCHES "^platform/core/" OR (rel MATCHES "^platform/[^/]+$" AND name IN_LIST CORE))
    check(${file} ON ON ON)
  elseif(rel MATCHES "^platform/qt/" OR rel MATCHES "^platform/[^/]+_qt\\.h$"
         OR (rel MATCHES "^platform/[^/]+\\.cpp$"))
    check(${file} OFF ON ON)
  else()
    # Everything else: the platform's shared headers and every folder above it.
    check(${file} ON ON ON)
  endif()
endforeach()

if(failures)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "System headers outside their back end:\n  ${text}")
endif()
message(STATUS "System headers only in their back ends.")
