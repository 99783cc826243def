# viz_add_resources(<target> <rcfile>)
#
# Compiles a Windows resource script with the host tool vizrc at build time and adds the generated
# C++ source (one resource table, found by FindResourceW through the module's handle) to <target>.
# The script sees its own folder and platform/linux-standin/include (winres.h) as include paths, and _DEBUG
# in Debug builds, as rc.exe does in a Visual Studio project.
include_guard(GLOBAL)

if(NOT TARGET vizrc)
  add_subdirectory(${CMAKE_CURRENT_LIST_DIR} ${CMAKE_BINARY_DIR}/vizrc)
endif()

function(viz_add_resources target rcfile)
  # Paths from this file's place: the caller may be in any directory scope.
  get_filename_component(VIZ_WIN32_DIR ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../.. ABSOLUTE)
  get_filename_component(rc_path ${rcfile} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  get_filename_component(rc_name ${rc_path} NAME_WE)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources/${rc_name}_rc.cpp)
  add_custom_command(
    OUTPUT ${out}
    COMMAND vizrc -I ${VIZ_WIN32_DIR}/include -D$<IF:$<CONFIG:Debug>,_DEBUG,NDEBUG>
            -o ${out} --depfile ${out}.d ${rc_path}
    DEPENDS vizrc ${rc_path}
    DEPFILE ${out}.d
    COMMENT "Compiling resources ${rcfile}"
    VERBATIM)
  target_sources(${target} PRIVATE ${out})
  set_source_files_properties(${out} PROPERTIES INCLUDE_DIRECTORIES ${VIZ_WIN32_DIR}/env)
  # FindResourceW looks the table up with dlsym; a program only exports it when linked with -rdynamic.
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "EXECUTABLE")
    set_target_properties(${target} PROPERTIES ENABLE_EXPORTS ON)
  endif()
endfunction()
