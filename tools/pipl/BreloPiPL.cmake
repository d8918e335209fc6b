# brelo_add_pipl(<plug-in target> NAME <name> MATCH_NAME <match name>)
#
# Generates the plug-in's resource description at build time from the shared
# description: <target>PiPL.rc (the Windows "PIPL" resource, compiled into
# the DLL) and <target>.pipl (the same bytes, carried in the macOS bundle as
# Contents/Resources/<target>.pipl). The target properties BRELO_PIPL_RC and
# BRELO_PIPL_BIN hold the two paths.
function(brelo_add_pipl target)
  cmake_parse_arguments(ARG "" "NAME;MATCH_NAME" "" ${ARGN})
  if(NOT ARG_NAME OR NOT ARG_MATCH_NAME)
    message(FATAL_ERROR "brelo_add_pipl(${target}): NAME and MATCH_NAME are required")
  endif()
  get_property(_desc GLOBAL PROPERTY BRELO_PIPL_DESCRIPTION)
  get_property(_generator GLOBAL PROPERTY BRELO_PIPL_GENERATOR_TARGET)
  set(_rc ${CMAKE_CURRENT_BINARY_DIR}/${target}PiPL.rc)
  set(_bin ${CMAKE_CURRENT_BINARY_DIR}/${target}.pipl)
  add_custom_command(
    OUTPUT ${_rc} ${_bin}
    COMMAND brelo-pipl --description ${_desc} --name ${ARG_NAME} --match-name ${ARG_MATCH_NAME}
            --rc ${_rc} --bin ${_bin}
    DEPENDS ${_generator} ${_desc}
    COMMENT "Resource description of ${ARG_NAME}"
    VERBATIM)
  add_custom_target(${target}_pipl DEPENDS ${_rc} ${_bin})
  add_dependencies(${target} ${target}_pipl)
  if(WIN32)
    target_sources(${target} PRIVATE ${_rc})
  elseif(APPLE)
    target_sources(${target} PRIVATE ${_bin})
    set_source_files_properties(${_bin} PROPERTIES MACOSX_PACKAGE_LOCATION Resources)
  endif()
  set_target_properties(${target} PROPERTIES BRELO_PIPL_RC ${_rc} BRELO_PIPL_BIN ${_bin})
endfunction()
