# The export table of the Windows VuverIverIzizerOzi.dll, read from the PE export directory with
# objdump: exactly these ordinals and undecorated names, PrdTreeOutputLightFile the same entry as
# OutputLightFile, nothing else (no DllMain, no framework symbols).
execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE out RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "objdump failed on ${DLL}")
endif()
set(expected
  1 OnDocListDownLoadLightFile
  2 OnDocListViewDwgFile
  3 OnDocListViewLightFile
  4 OutputLightFile
  5 PrdTreeOutputLightFile
  6 SignPdf
  7 WfOutputLightFile)

# "Export Address Table -- Ordinal Base 1" rows: "\t[   0] +base[   1] 1a2b Export RVA";
# "[Ordinal/Name Pointer] Table" rows: "\t[   0] OnDocListDownLoadLightFile", the ordinal less the base.
string(REPLACE "\n" ";" lines "${out}")
set(section "")
set(found "")
set(base 0)
foreach(line IN LISTS lines)
  if(line MATCHES "^Export Address Table -- Ordinal Base ([0-9]+)")
    set(base ${CMAKE_MATCH_1})
    set(section addresses)
  elseif(line MATCHES "Ordinal/Name Pointer")
    set(section names)
  elseif(line STREQUAL "")
    set(section "")
  elseif(section STREQUAL "addresses" AND line MATCHES "\\+base\\[ *([0-9]+)\\] ([0-9a-f]+) Export RVA")
    set(rva_${CMAKE_MATCH_1} ${CMAKE_MATCH_2})
  elseif(section STREQUAL "names" AND line MATCHES "^\t\\[ *([0-9]+)\\] +([A-Za-z0-9_@?$]+)$")
    math(EXPR ordinal "${CMAKE_MATCH_1} + ${base}")
    list(APPEND found ${ordinal} ${CMAKE_MATCH_2})
    set(ordinal_of_${CMAKE_MATCH_2} ${ordinal})
  endif()
endforeach()
if(NOT found STREQUAL expected)
  message(FATAL_ERROR "exports (ordinal name): ${found}\nexpected: ${expected}")
endif()
foreach(ordinal RANGE 1 7)
  if(NOT DEFINED rva_${ordinal})
    message(FATAL_ERROR "no address for ordinal ${ordinal}")
  endif()
endforeach()
if(NOT rva_${ordinal_of_PrdTreeOutputLightFile} STREQUAL rva_${ordinal_of_OutputLightFile})
  message(FATAL_ERROR "PrdTreeOutputLightFile (${rva_5}) is not the OutputLightFile entry (${rva_4})")
endif()
message(STATUS "exports: ${found}")
