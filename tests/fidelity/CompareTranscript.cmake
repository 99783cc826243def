# Runs one scenario with plmclient on a fresh sample client folder and compares its transcript with
# transcripts/NAME.txt, the one both builds must print. The client folder's path is written <db>,
# a print job's file <spool>\job-N.txt, and the loader's own events (load_library: only the
# stand-in's loader reports them) are left out.
# -DCLIENT=plmclient [-DEMULATOR=wine] -DFOLDER=<posix work folder> -DNAME=<scenario>
# -DCOMMAND=<export> -DSELECT=<CLASS:ID> [-DOPTIONS="<more options>"] ("--demo": on the demo database);
# the scenario's script is transcripts/NAME.script, where
# <db> stands for the client folder (a folder inside it is named with "\", which both builds take);
# in OPTIONS too, where <db>/drawing.pdf is a copy of transcripts/drawing.pdf.
set(expected_file ${CMAKE_CURRENT_LIST_DIR}/transcripts/${NAME}.txt)
file(REMOVE_RECURSE ${FOLDER})
file(MAKE_DIRECTORY ${FOLDER})
# Named as users name folders: Chinese and a blank (a character outside code page 936 would not
# survive the signing job, which the profile API writes in that code page).
set(db "${FOLDER}/c 客户端")
set(script ${FOLDER}/${NAME}.script)
set(spool ${FOLDER}/spool)
if(EMULATOR)
  # A Windows program takes Windows paths: Z: is the root of the Unix file system under Wine.
  string(REPLACE "/" "\\" db "Z:${db}")
  string(REPLACE "/" "\\" script "Z:${script}")
  string(REPLACE "/" "\\" spool "Z:${spool}")
endif()
# A print job goes into the scenario's own spool folder.
set(ENV{PLM_PRINT_SPOOL} "${spool}")
file(READ ${CMAKE_CURRENT_LIST_DIR}/transcripts/${NAME}.script lines)
string(REPLACE "<db>" "${db}" lines "${lines}")
file(WRITE ${FOLDER}/${NAME}.script "${lines}")

# "--demo" among the options: the scenario runs on the demo database (watermark on) instead.
separate_arguments(words UNIX_COMMAND "${OPTIONS}")
set(create --create-sample)
list(FIND words --demo at)
if(NOT at EQUAL -1)
  list(REMOVE_ITEM words --demo)
  set(create --create-demo)
endif()
execute_process(COMMAND ${EMULATOR} ${CLIENT} --db ${db} ${create} RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${create}: exit ${rc}: ${err}")
endif()
if("${COMMAND}" STREQUAL "SignPdf")
  # The PDF it signs: a copy of the sample's A110装配图.pdf, kept here because on a server the
  # sample's stored files are not in the folder.
  file(COPY_FILE ${CMAKE_CURRENT_LIST_DIR}/transcripts/drawing.pdf "${FOLDER}/c 客户端/drawing.pdf")
endif()
set(options)
foreach(word IN LISTS words)
  string(REPLACE "<db>" "${db}" word "${word}")
  list(APPEND options "${word}")
endforeach()
execute_process(COMMAND ${EMULATOR} ${CLIENT} --db ${db} --quiet --command ${COMMAND} --select ${SELECT}
                        --script ${script} ${options}
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${COMMAND} ${SELECT}: exit ${rc}: ${err}\n${out}")
endif()

string(REPLACE "\r\n" "\n" out "${out}")
string(REPLACE "${db}" "<db>" out "${out}")
# The stand-in shows a Unix path to the module as a Windows one on drive C:.
string(REPLACE "/" "\\" windows_db "C:${db}")
string(REPLACE "${windows_db}" "<db>" out "${out}")
string(REGEX REPLACE "\\[load_library\\][^\n]*\n" "" out "${out}")
# A job's file is named by the time and the process that spooled it: <spool>\job-<n>.txt.
string(REPLACE "${spool}" "<spool>" out "${out}")
string(REGEX REPLACE "<spool>[/\\\\]job-[0-9]+-[0-9]+-([0-9]+)\\.txt" "<spool>\\\\job-\\1.txt" out "${out}")
# The watermark's text ends with the day it is drawn on: <today>.
string(TIMESTAMP today "%Y-%m-%d")
string(REGEX REPLACE "(\\[watermark\\] [^\n]* text=[^\n]*) ${today} " "\\1 <today> " out "${out}")
file(READ ${expected_file} expected)
if(NOT out STREQUAL expected)
  file(WRITE ${FOLDER}/${NAME}.txt "${out}")
  message(FATAL_ERROR "the transcript of ${NAME} differs from ${expected_file}; it is in ${FOLDER}/${NAME}.txt:\n${out}")
endif()
message(STATUS "${NAME}: the transcript as expected")
