# brelo_add_plugin(<name> SOURCES <files...> LIBRARIES <targets...>)
#
# Declares a plug-in module the way the host loads it: a shared module whose
# only exported symbol is EntryPointFunc. Everything else, including what the
# static libraries bring in, stays hidden. On Windows the module is a DLL
# named <name>.aex in the build folder's plugins/; on macOS a bundle
# <name>.plugin (Contents/MacOS/<name>, the description in Contents/Resources).
function(brelo_add_plugin name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES" ${ARGN})
  add_library(${name} MODULE ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES
    PREFIX ""
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES})
  brelo_target_warnings(${name})
  if(WIN32)
    # EntryPointFunc is the one symbol marked for export (DllExport), so the
    # linker exports nothing else.
    set_target_properties(${name} PROPERTIES
      SUFFIX ".aex"
      LIBRARY_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/plugins)
    target_link_options(${name} PRIVATE -Wl,--exclude-all-symbols -Wl,--no-undefined)
    return()
  endif()
  if(APPLE)
    set_target_properties(${name} PROPERTIES BUNDLE TRUE BUNDLE_EXTENSION plugin)
    target_link_options(${name} PRIVATE -Wl,-exported_symbol,_EntryPointFunc)
    return()
  endif()
  set(_map ${CMAKE_CURRENT_BINARY_DIR}/${name}.exports.map)
  file(WRITE ${_map} "{\n  global: EntryPointFunc;\n  local: *;\n};\n")
  target_link_options(${name} PRIVATE
    -Wl,--version-script=${_map} -Wl,--exclude-libs,ALL -Wl,--no-undefined)
  set_property(TARGET ${name} APPEND PROPERTY LINK_DEPENDS ${_map})
endfunction()
