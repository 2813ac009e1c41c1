# Checks the include graph of src/ against the layer order (cmake -P).
#
#   -DROOT=<source folder> -DLAYERS=<QV_SRC_LAYERS of the top CMakeLists.txt>
#
# LAYERS lists the layer folders lowest first, separated by ","; folders
# joined by "|" are one rank (peers may include each other). The headers directly in src/platform
# (the API declarations) sit below every layer. Two rules:
#   - a file never includes a header of a layer above its own;
#   - a source file that defines a header's declarations (the header with
#     its own base name) sits in that header's folder, so that what a lower
#     layer declares is not provided from above.

string(REPLACE "," ";" LAYERS "${LAYERS}")
set(rank 0)
set(layer_names "")
foreach(group IN LISTS LAYERS)
  math(EXPR rank "${rank} + 1")
  string(REPLACE "|" ";" members "${group}")
  foreach(layer IN LISTS members)
    list(APPEND layer_names "${layer}")
    set(rank_of_${layer} ${rank})
  endforeach()
endforeach()

# Sets `out_layer` to the layer that holds `path` (relative to src/), the
# longest listed folder that prefixes it, or "platform" for the API headers.
function(layer_of path out_layer)
  set(found "")
  foreach(layer IN LISTS layer_names)
    string(LENGTH "${layer}/" n)
    string(SUBSTRING "${path}" 0 ${n} head)
    string(LENGTH "${found}" found_n)
    if(head STREQUAL "${layer}/" AND n GREATER found_n)
      set(found "${layer}")
    endif()
  endforeach()
  if(found STREQUAL "" AND path MATCHES "^platform/[^/]+$")
    set(found "platform")
  endif()
  set(${out_layer} "${found}" PARENT_SCOPE)
endfunction()
set(rank_of_platform 0)

set(failures "")
file(GLOB_RECURSE files RELATIVE "${ROOT}/src" "${ROOT}/src/*.h" "${ROOT}/src/*.cpp")
foreach(file IN LISTS files)
  layer_of("${file}" own)
  if(own STREQUAL "")
    list(APPEND failures "${file}: in no listed layer")
    continue()
  endif()
  get_filename_component(stem "${file}" NAME_WE)
  file(STRINGS "${ROOT}/src/${file}" lines REGEX "^#include \"")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" target "${line}")
    layer_of("${target}" theirs)
    if(theirs STREQUAL "")
      continue()  # a header beside the file, or one from outside src/
    endif()
    if(rank_of_${theirs} GREATER rank_of_${own})
      list(APPEND failures "${file}: includes ${target}, a layer above ${own}")
    endif()
    get_filename_component(target_stem "${target}" NAME_WE)
    if(file MATCHES "\\.cpp$" AND target_stem STREQUAL stem AND NOT theirs STREQUAL own)
      list(APPEND failures "${file}: defines ${target} outside the ${theirs} layer")
    endif()
  endforeach()
endforeach()

if(failures)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "Layer order broken:\n  ${text}")
endif()
list(LENGTH files count)
message(STATUS "Layer order holds for ${count} files")
