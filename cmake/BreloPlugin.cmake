# brelo_add_plugin(<name> SOURCES <files...> LIBRARIES <targets...>)
#
# Declares a plug-in module the way the host loads it: a shared module whose
# only exported symbol is EntryPointFunc. Everything else, including what the
# static libraries bring in, stays hidden.
function(brelo_add_plugin name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES" ${ARGN})
  add_library(${name} MODULE ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES
    PREFIX ""
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES})
  set(_map ${CMAKE_CURRENT_BINARY_DIR}/${name}.exports.map)
  file(WRITE ${_map} "{\n  global: EntryPointFunc;\n  local: *;\n};\n")
  target_link_options(${name} PRIVATE
    -Wl,--version-script=${_map} -Wl,--exclude-libs,ALL -Wl,--no-undefined)
  set_property(TARGET ${name} APPEND PROPERTY LINK_DEPENDS ${_map})
  brelo_target_warnings(${name})
endfunction()
