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

# brelo_add_effect(<name> SHELL <library> SOURCES <files...> LIBRARIES <targets...>
#                  RENDER <file> FRAME <frame library>)
#
# One effect the way both are built: its shell, a static library of the
# commands that tests can link (SOURCES, linking LIBRARIES); the module
# <name> (entry point, dispatch and the render commands, built against the
# frame library BRELO_THREADED chooses) with its PiPL; and, but on Windows,
# <name>SingleThreaded, the same module drawing every frame on the host's
# thread, for the tests that compare both ways of rendering.
function(brelo_add_effect name)
  cmake_parse_arguments(ARG "" "SHELL;RENDER;FRAME" "SOURCES;LIBRARIES" ${ARGN})
  add_library(${ARG_SHELL} STATIC ${ARG_SOURCES})
  target_link_libraries(${ARG_SHELL} PUBLIC ${ARG_LIBRARIES} brelo_shell brelo_foundation brelo_util)
  set_target_properties(${ARG_SHELL} PROPERTIES CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  brelo_target_warnings(${ARG_SHELL})

  set(module_sources BreloPlugin.cpp ${ARG_RENDER})
  brelo_add_plugin(${name} SOURCES ${module_sources} LIBRARIES ${ARG_SHELL} ${ARG_FRAME} brelo_foundation)
  brelo_add_pipl(${name} NAME ${name} MATCH_NAME ${name})
  if(NOT WIN32)
    brelo_add_plugin(${name}SingleThreaded
      SOURCES ${module_sources}
      LIBRARIES ${ARG_SHELL} ${ARG_FRAME}_st brelo_foundation)
  endif()
endfunction()
