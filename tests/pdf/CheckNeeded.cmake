# The shared objects a library names for the loader (DT_NEEDED) include none of FORBIDDEN (a list
# of name prefixes).
execute_process(COMMAND objdump -p ${LIBRARY} OUTPUT_VARIABLE out RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "objdump failed on ${LIBRARY}")
endif()
string(REGEX MATCHALL "NEEDED +[^\n]+" needed "${out}")
foreach(prefix IN LISTS FORBIDDEN)
  if(needed MATCHES "NEEDED +${prefix}")
    message(FATAL_ERROR "${LIBRARY} needs ${prefix}: ${needed}")
  endif()
endforeach()
message(STATUS "${needed}")
