# Makes `target` the layer of the folder that declares it. Its headers are
# included by their folder's name ("world/grid.h"), and only by the layer
# itself and by what links it: the target publishes a folder of its own
# that holds nothing but a link of that name to its sources, rather than the
# repository root, which would let any target reach every layer's headers.
function(plexaro_layer target)
  cmake_path(GET CMAKE_CURRENT_SOURCE_DIR FILENAME name)
  set(published ${CMAKE_CURRENT_BINARY_DIR}/published)
  file(MAKE_DIRECTORY ${published})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${published}/${name} SYMBOLIC)
  target_include_directories(${target} PUBLIC ${published})
endfunction()
