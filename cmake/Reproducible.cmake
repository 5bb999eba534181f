# The same source builds the same program and package, byte for byte, in any
# folder, at any time, under any umask, time zone or locale, so that anyone
# can check a package against the source it claims.
#
# The one time stamp the build stamps on what it makes (the times rcc records
# for the resources, the package's file times) is SOURCE_DATE_EPOCH when the
# environment sets it, as Debian's tools take it, and otherwise the time of
# the changelog's latest entry: that is part of every copy of the source, a
# tarball as much as a clone, and changes only when a release is made.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(PLEXARO_SOURCE_DATE $ENV{SOURCE_DATE_EPOCH})
else()
  set(trailer "^ -- .*>  ")
  file(STRINGS ${PROJECT_SOURCE_DIR}/resources/changelog latest REGEX "${trailer}" LIMIT_COUNT 1)
  string(REGEX REPLACE "${trailer}" "" latest "${latest}")
  execute_process(COMMAND date -u -d "${latest}" +%s OUTPUT_VARIABLE PLEXARO_SOURCE_DATE
    OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/changelog)
# The compiler (__DATE__) and every generator the build runs (rcc, lrelease)
# take it from there rather than from the clock or the files' times, which
# are those of the checkout.
foreach(rule RULE_LAUNCH_COMPILE RULE_LAUNCH_CUSTOM)
  set_property(GLOBAL PROPERTY ${rule} "${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${PLEXARO_SOURCE_DATE}")
endforeach()
# Nor does the program name the folders it was built in (__FILE__, debug
# information); a Debug build keeps them, for the debugger.
add_compile_options("$<$<NOT:$<CONFIG:Debug>>:-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.;-ffile-prefix-map=${PROJECT_BINARY_DIR}=.>")
