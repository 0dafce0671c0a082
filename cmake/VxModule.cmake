# vx_module(TARGET FOLDER): TARGET's headers reach the targets that link it, and only
# those, as "FOLDER/name.h". The folder is staged alone under the build tree (a link to
# the source folder) and that stage is TARGET's public include path: no library puts the
# source root on its path, so a library that includes a folder it does not link does not
# compile.
function(vx_module target folder)
  set(stage ${PROJECT_BINARY_DIR}/include/${folder})
  if(NOT EXISTS ${stage}/${folder})
    file(MAKE_DIRECTORY ${stage})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${stage}/${folder} SYMBOLIC)
  endif()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${stage})
  else()
    target_include_directories(${target} PUBLIC ${stage})
  endif()
endfunction()
