# regsvr32 as a Windows set-up runs it: the viewer control registers, COM creates it from the
# registry, and regsvr32 /u removes its keys. It is left registered for the client.
# -DEMULATOR=wine -DPROGRAM=PluginsOnWine.exe -DDLL=<posix path of the DLL> -DFOLDER=<posix folder>
function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  # regsvr32's own failures are 3 to 5 (the DLL not loaded, no entry point, the entry point failed);
  # 1 says it was given no valid arguments, which these calls always are. One CI run under Wine
  # ended so once, where every other run of the same calls registered: once more, then it counts.
  if(rc EQUAL 1 AND what MATCHES "^regsvr32")
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  endif()
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${what}: exit ${rc}\n${out}${err}")
  endif()
endfunction()

string(REPLACE "/" "\\" dll "Z:${DLL}")
file(MAKE_DIRECTORY ${FOLDER})
# /s: a message box of regsvr32 would wait for a person.
run("regsvr32" ${EMULATOR} regsvr32 /s ${dll})
run("after regsvr32" ${EMULATOR} ${PROGRAM} Z:${FOLDER} viewer registered)
run("regsvr32 /u" ${EMULATOR} regsvr32 /u /s ${dll})
run("after regsvr32 /u" ${EMULATOR} ${PROGRAM} Z:${FOLDER} viewer unregistered)
run("regsvr32 again" ${EMULATOR} regsvr32 /s ${dll})
message(STATUS "registered, created from the registry, unregistered, registered again")
