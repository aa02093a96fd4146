# Removes what the last `cmake --install` of a build put in place, as CMake
# listed it in that build's install_manifest.txt:
#   cmake -DMANIFEST=BUILD/install_manifest.txt -DROOT=DESTDIR+PREFIX -P uninstall.cmake
# Every listed path must lie inside ROOT, or nothing is removed. The game's own
# directories (those named tilemarch and below) go once empty; the shared ones
# (bin, share/applications, the icon theme, the manual) stay, even empty.
if(NOT EXISTS "${MANIFEST}")
  message("No Tilemarch installation listed in ${MANIFEST}")
  return()
endif()
get_filename_component(root "${ROOT}" ABSOLUTE)
file(STRINGS "${MANIFEST}" paths)
foreach(path IN LISTS paths)
  string(FIND "${path}/" "${root}/" at)
  if(NOT at EQUAL 0 OR path MATCHES "(^|/)\\.\\.?(/|$)" OR path STREQUAL root)
    message(FATAL_ERROR "refusing the listed path '${path}': it is not inside ${root} (${MANIFEST})")
  endif()
endforeach()

set(own_dirs "")
foreach(path IN LISTS paths)
  file(REMOVE "${path}")
  get_filename_component(dir "${path}" DIRECTORY)
  while(NOT dir STREQUAL root)
    file(RELATIVE_PATH below "${root}" "${dir}")
    if(below MATCHES "(^|/)tilemarch(/|$)")
      list(APPEND own_dirs "${dir}")
    endif()
    get_filename_component(dir "${dir}" DIRECTORY)
  endwhile()
endforeach()
# Deepest first, and only those nothing else has been put in.
list(REMOVE_DUPLICATES own_dirs)
list(SORT own_dirs ORDER DESCENDING)
foreach(dir IN LISTS own_dirs)
  file(GLOB left "${dir}/*" "${dir}/.*")
  if(left)
    message("Kept ${dir}: it holds other files")
  elseif(IS_DIRECTORY "${dir}")
    file(REMOVE_RECURSE "${dir}")
  endif()
endforeach()
file(REMOVE "${MANIFEST}")
message("Removed Tilemarch from ${root}")
