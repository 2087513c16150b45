# Refreshes the desktop's caches of MIME types, desktop entries and icons below DATA_DIR.
# After an install: only when the files went straight into the system (a staged install into DESTDIR
# leaves that to the package's own scripts). After an uninstall (STALE_ONLY): only the caches that exist.
# A missing tool is no failure: the desktop then finds the files at its next scan.
if(NOT STALE_ONLY AND NOT "$ENV{DESTDIR}" STREQUAL "")
  return()
endif()
set(caches
  "update-mime-database|mime|mime/mime.cache"
  "update-desktop-database|applications|applications/mimeinfo.cache"
  "gtk-update-icon-cache|icons/hicolor|icons/hicolor/icon-theme.cache")
foreach(entry IN LISTS caches)
  string(REPLACE "|" ";" entry "${entry}")
  list(GET entry 0 tool)
  list(GET entry 1 folder)
  list(GET entry 2 cache)
  find_program(program_${tool} ${tool})
  if(NOT program_${tool} OR NOT IS_DIRECTORY "${DATA_DIR}/${folder}")
    continue()
  endif()
  if(STALE_ONLY AND NOT EXISTS "${DATA_DIR}/${cache}")
    continue()
  endif()
  set(quiet)
  if(NOT tool STREQUAL "update-mime-database")
    set(quiet -q)
  endif()
  execute_process(COMMAND ${program_${tool}} ${quiet} "${DATA_DIR}/${folder}" OUTPUT_QUIET ERROR_QUIET)
endforeach()
