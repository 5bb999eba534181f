# How the project's own code is compiled, for every target: C++20, through
# ccache when there is one, with the sanitizers when asked for, and Release
# builds with Debian's hardening.

set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
if(NOT CMAKE_BUILD_TYPE AND NOT CMAKE_CONFIGURATION_TYPES)
  set(CMAKE_BUILD_TYPE Release CACHE STRING "Build type" FORCE)
endif()

find_program(CCACHE_PROGRAM ccache)
if(CCACHE_PROGRAM)
  set(CMAKE_CXX_COMPILER_LAUNCHER ${CCACHE_PROGRAM})
endif()

if(PLEXARO_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

# Release builds get Debian's hardening (fortified functions, stack
# protector, read-only relocations bound at start-up), as Debian's own
# packages do. Only those flags are taken from dpkg-buildflags: optimisation
# and debug information stay the build type's.
find_program(DPKG_BUILDFLAGS dpkg-buildflags)
if(DPKG_BUILDFLAGS AND NOT PLEXARO_SANITIZE)
  set(hardening_pattern "^(-D_FORTIFY_SOURCE|-fstack-protector|-fstack-clash|-fcf-protection|-Wl,-z,)")
  foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
        ${DPKG_BUILDFLAGS} --get ${kind}
      OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    list(FILTER flags INCLUDE REGEX "${hardening_pattern}")
    if(kind STREQUAL "LDFLAGS")
      add_link_options(${flags})
    else()
      add_compile_options("$<$<CONFIG:Release>:${flags}>")
    endif()
  endforeach()
endif()

# The project's own code is built with warnings on; the libraries it uses
# are not ours to warn about.
function(plexaro_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
endfunction()

# The program's own text reaches the user only through tr(), where
# translators can find it: with these a bare "..." is no QString, so a string
# that slips past them does not compile. Tests and benchmarks keep their
# literals.
function(plexaro_translatable target)
  target_compile_definitions(${target} PRIVATE QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII)
endfunction()
