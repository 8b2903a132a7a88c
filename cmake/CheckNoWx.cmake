# Fails when a core source includes a wxWidgets header: the core library must build
# and test without any window system. Run with -DLIST=<file holding a ;-list> -DSTAMP=<file>.
file(READ "${LIST}" FILES)
foreach(f IN LISTS FILES)
  file(STRINGS "${f}" hits REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]wx/")
  if(hits)
    message(FATAL_ERROR "${f}: core files must not include wxWidgets headers:\n${hits}")
  endif()
endforeach()
file(TOUCH "${STAMP}")
