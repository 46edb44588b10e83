# Run by ctest (cmake -P): every include of a client layer's folder that names
# another layer ("<layer>/<Header>.h") must name a layer that the layer's
# library links. Arguments:
#   ROOT    the client's folder (its include root)
#   LAYERS  every layer folder, ','-separated
#   ALLOWED one entry per layer, "<layer>=<layer>,<layer>,..." (itself included),
#           entries separated by '|'
cmake_minimum_required(VERSION 3.25)
string(REPLACE "," ";" layers "${LAYERS}")
string(REPLACE "|" ";" entries "${ALLOWED}")
set(checked 0)
set(faults "")
foreach(entry IN LISTS entries)
  string(REPLACE "=" ";" parts "${entry}")
  list(GET parts 0 layer)
  list(GET parts 1 allowedText)
  string(REPLACE "," ";" allowed "${allowedText}")
  file(GLOB_RECURSE sources "${ROOT}/${layer}/*.h" "${ROOT}/${layer}/*.cpp")
  foreach(source IN LISTS sources)
    math(EXPR checked "${checked} + 1")
    file(STRINGS "${source}" includes REGEX "^#include \"[A-Za-z_]+/")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^#include \"([A-Za-z_]+)/.*" "\\1" named "${line}")
      if(named IN_LIST layers AND NOT named IN_LIST allowed)
        file(RELATIVE_PATH where "${ROOT}" "${source}")
        string(APPEND faults "  ${where}: ${line} (${layer} links ${allowedText})\n")
      endif()
    endforeach()
  endforeach()
endforeach()
if(faults)
  message(FATAL_ERROR "Includes of a layer that the including layer does not link:\n${faults}")
endif()
message(STATUS "client_layer_includes: ${checked} files, every include within its layer's links")
