# A plug-in DLL shows the loader its entry points and nothing else, as its export table does on
# Windows: code is hidden by default, and a version script hides what static libraries and
# template instantiations would still publish. A Windows DLL exports what __declspec(dllexport)
# names and nothing else already.
function(viz_export_only target)
  if(WIN32)
    return()
  endif()
  set_target_properties(${target} PROPERTIES CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  set(script "{\n  global:\n")
  foreach(name IN LISTS ARGN)
    string(APPEND script "    ${name};\n")
  endforeach()
  string(APPEND script "  local:\n    *;\n};\n")
  set(file ${CMAKE_CURRENT_BINARY_DIR}/${target}.map)
  file(WRITE ${file} "${script}")
  target_link_options(${target} PRIVATE "LINKER:--version-script=${file}")
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${file})
endfunction()
