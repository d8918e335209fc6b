# The project's static libraries and programs, each with the warnings of
# brelo_target_warnings.

# brelo_add_library(<name> [UNITS <unit...> IN <prefix>] [SOURCES <files...>]
#                   [INCLUDE <dir>] [PUBLIC <targets...>] [PRIVATE <targets...>])
#
# A static library of the project. A unit U is the public header
# include/<prefix>/U.h with its source src/U.cpp; such a library's users
# include from its include/ folder, and otherwise from INCLUDE. SOURCES
# lists what is not a unit (private headers, header-only parts).
function(brelo_add_library name)
  cmake_parse_arguments(ARG "" "IN;INCLUDE" "UNITS;SOURCES;PUBLIC;PRIVATE" ${ARGN})
  set(_sources ${ARG_SOURCES})
  foreach(_unit IN LISTS ARG_UNITS)
    list(APPEND _sources include/${ARG_IN}/${_unit}.h src/${_unit}.cpp)
  endforeach()
  add_library(${name} STATIC ${_sources})
  if(ARG_UNITS)
    target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/include)
  endif()
  if(ARG_INCLUDE)
    target_include_directories(${name} PUBLIC ${ARG_INCLUDE})
  endif()
  target_link_libraries(${name} PUBLIC ${ARG_PUBLIC} PRIVATE ${ARG_PRIVATE})
  brelo_target_warnings(${name})
endfunction()

# brelo_add_program(<name> SOURCES <files...> [LIBRARIES <targets...>])
#
# A program of the project, linked against LIBRARIES.
function(brelo_add_program name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES})
  brelo_target_warnings(${name})
endfunction()
