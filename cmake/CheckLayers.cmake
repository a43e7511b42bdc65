# Refuses an include that points up the layers (run as: cmake -DSOURCE_DIR=... -P CheckLayers.cmake).
#
# Every file of src/ and fuzz/ belongs to a unit: the folder below src/ ("pins"), or its ui/, qt/,
# win/ or tool/ subfolder ("pins/ui"). A unit may include its own headers and those of the units
# listed for it below; anything else fails the build with the file, the line and the rule.
# ARCHITECTURE.md draws the same picture.
cmake_minimum_required(VERSION 3.25)

include(${CMAKE_CURRENT_LIST_DIR}/Layers.cmake)
set(base ${VEXA_BASE_DIRS})
set(operations ${VEXA_OPERATION_DIRS})

set(allow_model "")
set(allow_core model)
set(allow_link core model)
set(allow_sim ${base})
# Each operation subsystem builds on the base and on the operation subsystems before it.
set(below ${base})
foreach(unit IN LISTS operations)
  set(allow_${unit} ${below})
  list(APPEND below ${unit})
endforeach()

# A subsystem's views may include what its logic may, its own logic, the views of what lies
# below it, the shared widgets of core/ui and the Qt port adapter.
set(allow_core_ui ${base})
set(allow_link_qt ${base})
set(allow_link_win ${base})
foreach(unit IN ITEMS link sim ${operations})
  set(views ${unit} core/ui link/qt)
  foreach(lower IN LISTS allow_${unit})
    list(APPEND views ${lower} ${lower}/ui)
  endforeach()
  set(allow_${unit}_ui ${views})
endforeach()

# The front ends: the window sees everything but the other front ends; the command line sees
# everything without Qt Widgets; vexa-sim only the simulator; the fuzz targets no simulator.
set(all_views core/ui link/ui sim/ui)
foreach(unit IN LISTS operations)
  list(APPEND all_views ${unit}/ui)
endforeach()
set(allow_app ${base} sim ${operations} ${all_views} link/qt app/ui)
set(allow_app_ui ${allow_app} app)
set(allow_cli ${base} sim ${operations} link/qt link/win)
set(allow_sim_tool ${base} sim)
set(allow_fuzz ${base} ${operations})

function(unit_of path result)
  if(path MATCHES "^fuzz/")
    set(${result} fuzz PARENT_SCOPE)
  elseif(path MATCHES "^core/(posix|win)/")
    # What the operating system provides is part of core, one folder per system.
    set(${result} core PARENT_SCOPE)
  elseif(path MATCHES "^([a-z]+)/(ui|qt|win|tool)/")
    set(${result} "${CMAKE_MATCH_1}/${CMAKE_MATCH_2}" PARENT_SCOPE)
  elseif(path MATCHES "^([a-z]+)/")
    set(${result} "${CMAKE_MATCH_1}" PARENT_SCOPE)
  else()
    set(${result} "" PARENT_SCOPE)
  endif()
endfunction()

file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR}/src ${SOURCE_DIR}/src/*.h ${SOURCE_DIR}/src/*.cpp)
file(GLOB_RECURSE fuzz_files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/fuzz/*.h ${SOURCE_DIR}/fuzz/*.cpp)
list(APPEND files ${fuzz_files})

set(problems "")
foreach(file IN LISTS files)
  unit_of("${file}" unit)
  string(REPLACE "/" "_" key "${unit}")
  if(NOT DEFINED allow_${key})
    string(APPEND problems "\n  ${file}: the folder ${unit} has no place in the layers (cmake/CheckLayers.cmake)")
    continue()
  endif()
  if(file MATCHES "^fuzz/")
    set(full ${SOURCE_DIR}/${file})
  else()
    set(full ${SOURCE_DIR}/src/${file})
  endif()
  file(STRINGS ${full} lines REGEX "^#include \"")
  foreach(line IN LISTS lines)
    if(NOT line MATCHES "^#include \"([^\"]+)\"")
      continue()
    endif()
    set(included "${CMAKE_MATCH_1}")
    if(NOT EXISTS ${SOURCE_DIR}/src/${included})
      continue() # a header beside the file (fuzz support), not a layer's
    endif()
    unit_of("${included}" target)
    if(target STREQUAL unit OR target IN_LIST allow_${key})
      continue()
    endif()
    string(APPEND problems "\n  ${file} includes ${included}: ${unit} may not include ${target}")
  endforeach()
endforeach()

if(problems)
  message(FATAL_ERROR "Includes that point up the layers (see ARCHITECTURE.md):${problems}")
endif()
