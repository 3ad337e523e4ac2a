# tests/, bench/, fuzz/ and tools/ hold one folder per area: each folder that
# has a CMakeLists.txt is added.
function(orv_add_area_folders)
  file(GLOB areas LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
  foreach(area IN LISTS areas)
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${area}/CMakeLists.txt)
      add_subdirectory(${area})
    endif()
  endforeach()
endfunction()
