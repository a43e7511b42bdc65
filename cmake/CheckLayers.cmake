# Refuses an include that points up the layers (run as: cmake -DSOURCE_DIR=... -P CheckLayers.cmake).
#
# Every source and header of src/, tests/, bench/ and fuzz/ belongs to a unit: the folder below
# src/ ("pins"), or its ui/, qt/, win/ or tool/ subfolder ("pins/ui"); the test folders likewise
# ("tests/pins", "tests/pins/ui"); bench and fuzz. A unit may include its own headers and those
# of the units listed for it below; anything else fails the build with the file, the include
# line and the rule. Every form the compiler takes is read (indented, "#  include", <...>), and
# each include is resolved as the compiler would: beside the including file first (a relative
# path), then in the include folders of the build. Headers found in neither are the system's.
# ARCHITECTURE.md draws the same picture.
cmake_minimum_required(VERSION 3.25)

include(${CMAKE_CURRENT_LIST_DIR}/Layers.cmake)
set(base ${VEXA_BASE_DIRS})
set(operations ${VEXA_OPERATION_DIRS})

set(allow_model "")
set(allow_core model)
set(allow_link core model)
set(allow_sim ${base})
# Each operation subsystem builds on the base and on the operation subsystems before it; they
# share one library, so only this check keeps their order.
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
set(src_units ${base} sim ${operations} ${all_views} link/qt link/win app app/ui cli sim/tool)

# The tests of a unit (tests/pins, tests/pins/ui) follow its rule, and may use the test support
# and the simulator, and the test helpers of the units they may include (tests/sim's bench).
# The widget tests drive the views inside the whole window, as a user meets them.
foreach(unit IN LISTS src_units)
  string(REPLACE "/" "_" key "${unit}")
  set(reach ${unit} ${allow_${key}} sim)
  if(unit MATCHES "/ui$" OR unit STREQUAL "app")
    list(APPEND reach ${allow_app_ui})
  endif()
  list(REMOVE_DUPLICATES reach)
  set(allowed ${reach} tests/support)
  foreach(reached IN LISTS reach)
    list(APPEND allowed tests/${reached})
  endforeach()
  if(unit MATCHES "/ui$" OR unit STREQUAL "app")
    list(APPEND allowed tests/support/ui)
  endif()
  set(allow_tests_${key} ${allowed})
endforeach()
# The tests of what one system only has (tests/link/posix) also reach that system's port adapter.
foreach(unit IN LISTS src_units)
  string(REPLACE "/" "_" key "${unit}")
  set(allow_tests_${key}_posix ${allow_tests_${key}} tests/${unit} link/qt)
  set(allow_tests_${key}_win ${allow_tests_${key}} tests/${unit} link/win)
endforeach()
# The simulator's tests drive it through the operations, as the programs do.
list(APPEND allow_tests_sim ${operations})
foreach(unit IN LISTS operations)
  list(APPEND allow_tests_sim tests/${unit})
endforeach()

# The test support, the end-to-end tests and the sequence tests see everything without Qt
# Widgets (the window's undo history in app is plain C++); the widget helpers see the window.
set(headless ${base} sim ${operations} app cli link/qt link/win)
set(allow_tests_support ${headless})
foreach(unit IN LISTS headless)
  list(APPEND allow_tests_support tests/${unit})
endforeach()
list(APPEND allow_tests_support tests/support tests/e2e tests/sequence)
set(allow_tests_e2e ${allow_tests_support})
set(allow_tests_sequence ${allow_tests_support})
set(allow_tests_support_ui ${src_units} tests/support)
# The benchmarks time any part of the programs, with the test support's helpers.
set(allow_bench ${src_units} tests/support tests/support/ui)

# The unit of a path relative to SOURCE_DIR ("src/pins/ui/PinPage.h" is "pins/ui"); "" when the
# path lies in no unit.
function(unit_of path result)
  if(path MATCHES "^src/core/(posix|win)/")
    # What the operating system provides is part of core, one folder per system.
    set(unit core)
  elseif(path MATCHES "^src/([a-z]+)/(ui|qt|win|tool)/")
    set(unit "${CMAKE_MATCH_1}/${CMAKE_MATCH_2}")
  elseif(path MATCHES "^src/([a-z]+)/")
    set(unit "${CMAKE_MATCH_1}")
  elseif(path MATCHES "^tests/([a-z0-9]+)/(ui|posix|win)/")
    set(unit "tests/${CMAKE_MATCH_1}/${CMAKE_MATCH_2}")
  elseif(path MATCHES "^tests/([a-z0-9]+)/")
    set(unit "tests/${CMAKE_MATCH_1}")
  elseif(path MATCHES "^(bench|fuzz)/")
    set(unit "${CMAKE_MATCH_1}")
  else()
    set(unit "")
  endif()
  set(${result} "${unit}" PARENT_SCOPE)
endfunction()

# The file an include names, relative to SOURCE_DIR, as the compiler finds it: a quoted name
# beside the including file first, then in src/ (every program) and tests/support (the tests
# and benchmarks); "" for a header of the system or of a library.
function(resolve_include file quote name result)
  set(folders src)
  if(file MATCHES "^(tests|bench)/")
    list(APPEND folders tests/support)
  endif()
  if(quote STREQUAL "\"")
    get_filename_component(beside "${file}" DIRECTORY)
    list(PREPEND folders "${beside}")
  endif()
  foreach(folder IN LISTS folders)
    cmake_path(SET candidate NORMALIZE "${SOURCE_DIR}/${folder}/${name}")
    if(EXISTS "${candidate}" AND NOT IS_DIRECTORY "${candidate}")
      cmake_path(RELATIVE_PATH candidate BASE_DIRECTORY "${SOURCE_DIR}")
      set(${result} "${candidate}" PARENT_SCOPE)
      return()
    endif()
  endforeach()
  set(${result} "" PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/src/*.h ${SOURCE_DIR}/src/*.cpp
     ${SOURCE_DIR}/tests/*.h ${SOURCE_DIR}/tests/*.cpp ${SOURCE_DIR}/bench/*.h ${SOURCE_DIR}/bench/*.cpp
     ${SOURCE_DIR}/fuzz/*.h ${SOURCE_DIR}/fuzz/*.cpp)
# The check's own fixtures break the rules on purpose.
list(FILTER files EXCLUDE REGEX "^tests/layers/")

# Any line the preprocessor reads as an include: blanks before and after the '#' are allowed.
set(include_line "^[ \t]*#[ \t]*include[ \t]*([<\"])([^>\"]+)[>\"]")
set(problems "")
foreach(file IN LISTS files)
  unit_of("${file}" unit)
  string(REPLACE "/" "_" key "${unit}")
  if(NOT DEFINED allow_${key})
    string(APPEND problems "\n  ${file}: the folder has no place in the layers (cmake/CheckLayers.cmake)")
    continue()
  endif()
  file(STRINGS ${SOURCE_DIR}/${file} lines REGEX "${include_line}")
  foreach(line IN LISTS lines)
    if(NOT line MATCHES "${include_line}")
      continue()
    endif()
    resolve_include("${file}" "${CMAKE_MATCH_1}" "${CMAKE_MATCH_2}" included)
    if(included STREQUAL "")
      continue()
    endif()
    unit_of("${included}" target)
    if(target STREQUAL unit OR target IN_LIST allow_${key})
      continue()
    endif()
    if(target STREQUAL "")
      set(target "a folder outside the layers")
    endif()
    string(STRIP "${line}" line)
    string(APPEND problems "\n  ${file}: ${line} is ${included}: ${unit} may not include ${target}")
  endforeach()
endforeach()

if(problems)
  message(FATAL_ERROR "Includes that point up the layers (see ARCHITECTURE.md):${problems}")
endif()
