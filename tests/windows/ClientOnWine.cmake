# plmclient.exe under Wine: makes the sample client folder, whose stored files must carry their
# own SHA-256 (written through Windows' hash provider), then opens it and looks an object up,
# failing with the same message as the Linux program. The folder's name is Chinese, as users' are:
# the command line, the database and the vault must all reach it by its wide name. Its help names
# only what this build does, and every server option is refused for want of a PostgreSQL client.
# -DEMULATOR=wine -DCLIENT=plmclient.exe -DFOLDER=<posix folder> -DSQLITE3=<host sqlite3>
file(REMOVE_RECURSE ${FOLDER})
file(MAKE_DIRECTORY ${FOLDER})
set(db "Z:${FOLDER}/客户端")
string(REPLACE "/" "\\" db "${db}")

execute_process(COMMAND ${EMULATOR} ${CLIENT} --db ${db} --create-sample
  RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT err MATCHES "sample database created in")
  message(FATAL_ERROR "--create-sample: exit ${rc}: ${err}")
endif()

execute_process(COMMAND ${SQLITE3} ${FOLDER}/客户端/plm.db "SELECT VAULT_NAME || ' ' || SHA256 FROM T_StoredFile"
  OUTPUT_VARIABLE rows RESULT_VARIABLE rc)
string(STRIP "${rows}" rows)
string(REPLACE "\n" ";" rows "${rows}")
list(LENGTH rows count)
if(NOT rc EQUAL 0 OR count LESS 5)
  message(FATAL_ERROR "stored files of the sample: ${rows}")
endif()
foreach(row IN LISTS rows)
  string(REPLACE " " ";" row "${row}")
  list(GET row 0 name)
  list(GET row 1 expected)
  file(SHA256 ${FOLDER}/客户端/vault/${name} actual)
  if(NOT actual STREQUAL expected)
    message(FATAL_ERROR "vault file ${name}: SHA-256 ${actual}, recorded ${expected}")
  endif()
endforeach()

execute_process(COMMAND ${EMULATOR} ${CLIENT} --db ${db} --command OnDocListViewDwgFile --select Drawing:999
  RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 1 OR NOT err MATCHES "plmclient: no object Drawing:999 in the database \\(80040305\\)")
  message(FATAL_ERROR "missing object: exit ${rc}: ${err}")
endif()
message(STATUS "${count} stored files hashed alike; the missing object reported as on Linux")

execute_process(COMMAND ${EMULATOR} ${CLIENT} --help RESULT_VARIABLE rc OUTPUT_VARIABLE help)
if(NOT rc EQUAL 0 OR NOT help MATCHES "--create-demo \\[SIZE\\]" OR NOT help MATCHES "--transcript FILE")
  message(FATAL_ERROR "--help: exit ${rc}: ${help}")
endif()
foreach(absent --server --owner --interactive snapshot "Interactive keys" "{")
  string(FIND "${help}" "${absent}" at)
  if(NOT at EQUAL -1)
    message(FATAL_ERROR "--help offers ${absent}, which this build refuses:\n${help}")
  endif()
endforeach()
foreach(options "--server;host=localhost;--create-sample" "--server;host=localhost;--create-demo"
                "--owner;host=localhost;--create-sample" "--server;host=localhost;--command;OnDocListViewDwgFile;--select;118")
  execute_process(COMMAND ${EMULATOR} ${CLIENT} --db ${db} ${options} RESULT_VARIABLE rc ERROR_VARIABLE err)
  if(NOT rc EQUAL 1 OR NOT err MATCHES "this build has no PostgreSQL client")
    message(FATAL_ERROR "${options}: exit ${rc}: ${err}")
  endif()
endforeach()
message(STATUS "the help names what this build does; the server options are refused as such")

# A stored file whose vault name is a device is no content: the copy is refused, not read from
# NUL (or left waiting on CON). Last, since it spoils the folder's vault.
execute_process(COMMAND ${SQLITE3} ${FOLDER}/客户端/plm.db "UPDATE T_StoredFile SET VAULT_NAME = 'NUL'" RESULT_VARIABLE rc)
set(out "Z:${FOLDER}/out")
string(REPLACE "/" "\\" out "${out}")
file(MAKE_DIRECTORY ${FOLDER}/out)
execute_process(COMMAND ${EMULATOR} ${CLIENT} --db ${db} --command OnDocListDownLoadLightFile --select 3DDocument:148
  --do "folder ${out}" --do "messagebox ok" RESULT_VARIABLE rc OUTPUT_VARIABLE transcript ERROR_VARIABLE err)
if(NOT rc EQUAL 4 OR NOT transcript MATCHES "获取失败\\(80070780\\)")
  message(FATAL_ERROR "a stored file named NUL: exit ${rc}: ${transcript}${err}")
endif()
file(GLOB written ${FOLDER}/out/*)
if(written)
  message(FATAL_ERROR "a stored file named NUL left ${written}")
endif()
message(STATUS "a stored file named after a device is refused (80070780)")
