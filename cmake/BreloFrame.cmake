# brelo_add_frame_library(<name> SOURCES <files...> ENGINE <target> MULTI <target>)
#
# One effect's frame call, built from the same sources in both forms:
# <name>_mt renders in bands on worker threads (compiled with
# BRELO_THREADED=1, linking MULTI and so Boost; only where Boost is found),
# <name>_st the whole frame on the calling thread (BRELO_THREADED=0, no
# thread library). Each carries BRELO_FRAME_THREADED or BRELO_FRAME_SINGLE to
# what links it, so that the frame header names its form; a program linking
# both calls them by namespace. <name> is the form BRELO_THREADED asks for.
function(brelo_add_frame_library name)
  cmake_parse_arguments(ARG "" "ENGINE;MULTI" "SOURCES" ${ARGN})
  if(TARGET ${ARG_MULTI})
    add_library(${name}_mt STATIC ${ARG_SOURCES})
    target_compile_definitions(${name}_mt PRIVATE BRELO_THREADED=1 INTERFACE BRELO_FRAME_THREADED)
    target_link_libraries(${name}_mt PUBLIC ${ARG_ENGINE} PRIVATE ${ARG_MULTI})
    brelo_target_warnings(${name}_mt)
  endif()
  add_library(${name}_st STATIC ${ARG_SOURCES})
  target_compile_definitions(${name}_st PRIVATE BRELO_THREADED=0 INTERFACE BRELO_FRAME_SINGLE)
  target_link_libraries(${name}_st PUBLIC ${ARG_ENGINE})
  brelo_target_warnings(${name}_st)
  if(BRELO_THREADED)
    add_library(${name} ALIAS ${name}_mt)
  else()
    add_library(${name} ALIAS ${name}_st)
  endif()
endfunction()
