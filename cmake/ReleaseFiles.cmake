# The Windows files users drop into the game's folder.

# orv_version_info(TARGET DESCRIPTION)
# A VERSIONINFO resource with the project's version and the file's description.
function(orv_version_info target description)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "SHARED_LIBRARY")
    set(ORV_VI_TYPE VFT_DLL)
    set(ORV_VI_FILE ${target}.dll)
  else()
    set(ORV_VI_TYPE VFT_APP)
    set(ORV_VI_FILE ${target}.exe)
  endif()
  set(ORV_VI_NAME ${target})
  set(ORV_VI_DESCRIPTION ${description})
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/version.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()

# orv_release_file(TARGET)
# After each link, the file as it ships goes to <build>/release: stripped of
# its symbols and debug information, which stay beside the linked file in
# <file>.debug (named in the shipped file's debug link) for crash analysis.
# `make dist` installs the release copy.
function(orv_release_file target)
  set(release_dir ${CMAKE_BINARY_DIR}/release)
  set(linked $<TARGET_FILE:${target}>)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E make_directory ${release_dir}
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug ${linked} ${linked}.debug
    COMMAND ${CMAKE_OBJCOPY} --strip-all --add-gnu-debuglink=${linked}.debug
            ${linked} ${release_dir}/$<TARGET_FILE_NAME:${target}>
    VERBATIM)
  install(PROGRAMS ${release_dir}/$<TARGET_FILE_NAME:${target}> DESTINATION .)
endfunction()
