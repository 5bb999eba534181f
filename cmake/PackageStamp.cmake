# Run by cpack twice. First, before it makes the package: every member of the
# package gets the source's time stamp (see Reproducible.cmake) unless
# SOURCE_DATE_EPOCH gives another. Then, once it is made: the outer archive's
# headers carry the mode of the files cpack wrote, which follows the umask;
# strip-nondeterminism sets them as Debian's tools write them.
if(NOT CPACK_PACKAGE_FILES)
  if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    set(ENV{SOURCE_DATE_EPOCH} ${CPACK_PLEXARO_SOURCE_DATE})
  endif()
else()
  foreach(package IN LISTS CPACK_PACKAGE_FILES)
    execute_process(COMMAND strip-nondeterminism --normalizers=+ar --type ar --timestamp $ENV{SOURCE_DATE_EPOCH}
      ${package} COMMAND_ERROR_IS_FATAL ANY)
  endforeach()
endif()
