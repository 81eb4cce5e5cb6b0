# ortolix_header_only_target(TARGET HEADER_DIR): an interface target whose
# include folder holds only /usr/include/HEADER_DIR (linked, not copied), so a
# cross build never sees the build machine's system headers.
function(ortolix_header_only_target target header_dir)
  if(TARGET ${target})
    return()
  endif()
  set(root ${CMAKE_BINARY_DIR}/header-only-libs/${header_dir})
  if(NOT EXISTS ${root}/${header_dir})
    if(NOT EXISTS /usr/include/${header_dir})
      message(FATAL_ERROR "/usr/include/${header_dir} is missing")
    endif()
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK /usr/include/${header_dir} ${root}/${header_dir} SYMBOLIC)
  endif()
  add_library(${target} INTERFACE IMPORTED GLOBAL)
  set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${root})
endfunction()
