# Warnings and sanitizers for every target of the project.

# The same controls must give the same pixels on every machine: no fused
# multiply-adds behind the code's back.
add_compile_options(-ffp-contract=off)

# Windows modules and programs carry the compiler's runtime (libstdc++,
# libgcc, winpthreads) inside them: they need only the DLLs every Windows
# installation has.
if(MINGW)
  add_link_options(-static)
endif()

function(brelo_target_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
    -Wnon-virtual-dtor -Wcast-align -Wunused -Woverloaded-virtual
    -Wnull-dereference -Wdouble-promotion -Wformat=2)
endfunction()

if(BRELO_SANITIZE)
  string(REPLACE "," ";" _brelo_sanitizers "${BRELO_SANITIZE}")
  foreach(_s IN LISTS _brelo_sanitizers)
    add_compile_options(-fsanitize=${_s})
    add_link_options(-fsanitize=${_s})
  endforeach()
  add_compile_options(-fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fno-sanitize-recover=all)
endif()

# Fuzzing: every target carries libFuzzer's coverage counters; the fuzz
# targets alone link its driver (tests/fuzz).
if(BRELO_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "BRELO_FUZZ needs clang (libFuzzer): configure with CC=clang CXX=clang++")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
