# The drawing libraries for the Windows build: Debian's sources of the Linux build's versions,
# cross-built static once per version into <build>/../third-party (scripts/windows-libs.sh), as
# imported targets: qpdf_static (with libjpeg and zlib), pdfstamp_freetype, pdfstamp_harfbuzz (with
# its subsetter) and pdfstamp_qrencode.
get_filename_component(viz_third_party_root ${CMAKE_BINARY_DIR}/.. ABSOLUTE)
execute_process(COMMAND ${PROJECT_SOURCE_DIR}/scripts/windows-libs.sh ${viz_third_party_root} ${VIZ_MINGW_TRIPLE}
  OUTPUT_VARIABLE viz_windows_libs OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
string(REPLACE "\n" ";" viz_windows_libs "${viz_windows_libs}")
foreach(line IN LISTS viz_windows_libs)
  if(line MATCHES "^([a-z]+)=(.*)$")
    set(viz_lib_${CMAKE_MATCH_1} ${CMAKE_MATCH_2})
  endif()
endforeach()
foreach(name zlib jpeg freetype harfbuzz qrencode qpdf)
  if(NOT viz_lib_${name})
    message(FATAL_ERROR "scripts/windows-libs.sh gave no folder for ${name}")
  endif()
endforeach()

function(viz_imported_library target archive)
  add_library(${target} STATIC IMPORTED GLOBAL)
  set_target_properties(${target} PROPERTIES IMPORTED_LOCATION ${archive} ${ARGN})
endfunction()
viz_imported_library(pdfstamp_zlib ${viz_lib_zlib}/lib/libz.a)
viz_imported_library(pdfstamp_jpeg ${viz_lib_jpeg}/lib/libjpeg.a)
viz_imported_library(qpdf_static ${viz_lib_qpdf}/lib/libqpdf.a
  INTERFACE_INCLUDE_DIRECTORIES ${viz_lib_qpdf}/include)
set_property(TARGET qpdf_static PROPERTY INTERFACE_LINK_LIBRARIES pdfstamp_zlib pdfstamp_jpeg)
viz_imported_library(pdfstamp_freetype ${viz_lib_freetype}/lib/libfreetype.a
  INTERFACE_INCLUDE_DIRECTORIES ${viz_lib_freetype}/include/freetype2
  INTERFACE_LINK_LIBRARIES pdfstamp_zlib)
viz_imported_library(pdfstamp_harfbuzz_core ${viz_lib_harfbuzz}/lib/libharfbuzz.a)
viz_imported_library(pdfstamp_harfbuzz ${viz_lib_harfbuzz}/lib/libharfbuzz-subset.a
  INTERFACE_INCLUDE_DIRECTORIES ${viz_lib_harfbuzz}/include/harfbuzz
  INTERFACE_LINK_LIBRARIES pdfstamp_harfbuzz_core)
viz_imported_library(pdfstamp_qrencode ${viz_lib_qrencode}/lib/libqrencode.a
  INTERFACE_INCLUDE_DIRECTORIES ${viz_lib_qrencode}/include)

# stb_image is header-only: Debian's header, seen through a folder of its own so that the rest of
# the host's headers stay out of the cross build.
find_path(viz_stb_root stb/stb_image.h PATHS /usr/include NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(viz_stb_include ${CMAKE_BINARY_DIR}/stb-include)
file(MAKE_DIRECTORY ${viz_stb_include})
file(CREATE_LINK ${viz_stb_root}/stb ${viz_stb_include}/stb SYMBOLIC)
