# The scenarios whose transcript both builds must print alike (CompareTranscript.cmake): a name,
# the export and the selection on the sample client folder, then any more options of the program.
# The user's lines are in transcripts/NAME.script, the transcript in transcripts/NAME.txt.
set(viz_transcript_scenarios
  # a process card has no DWG file: one message box, no dialog
  "ViewDwgOfProcessCard OnDocListViewDwgFile CappDocument:140"
  # the viewer dialog: its control shows the DWG light file (a Chinese name), the user closes it
  "ViewDwgOfDrawing OnDocListViewDwgFile Drawing:118"

  # the folder picker answered, both light files of a 3D document written, the completion box
  "DownloadOf3DDocument OnDocListDownLoadLightFile 3DDocument:148"
  # the folder picker cancelled: nothing looked up, nothing said
  "DownloadCancelled OnDocListDownLoadLightFile 3DDocument:148"
  # a user without the output right: no picker, no lookup, no message
  "DownloadWithoutTheRight OnDocListDownLoadLightFile 3DDocument:148 --user li"
  # the manager for a part, its tree filled, left open: closed as with its close box
  "ManagerLeftOpen OutputLightFile Part:103"
  # the manager's STEP box, a check-box click on a branch, space on two of its PDFs, then a
  # download: the picker answered, three files written, the folder handed to the shell
  "ManagerCheckedDownload OutputLightFile Part:103"
  # the DWG box, space on one of them, then a print: the two left fetched into the client's
  # temporary folder and spooled as one job
  "ManagerPrintOfDrawings OutputLightFile Part:103"
  # a folder's manager: the STEP box on, the DWG box on, STEP off again (each click re-applies all
  # three boxes), a check-box click on a branch and space on two of its files, then a download
  "FolderFilteredDownload OutputLightFile FolderOfProduct:171"
  # a workflow item's manager: a check-box click on "关联文件", the STEP box, the PDF box on and
  # off, space on one more item, then a print
  "WorkflowFilteredPrint WfOutputLightFile WorkflowItem:180"
  # a double click on a light file in the manager's tree: the viewer dialog shows it in its control
  "ManagerDoubleClickToViewer OutputLightFile FolderOfProduct:171"
  # signing as a command: the job written, the signing plug-in called (no window)
  "SignPdfCommand SignPdf Drawing:118 --sign 118,Drawing,119,<db>/drawing.pdf"

  # On the demo database, whose watermark is on: the drawing's DWG in the viewer dialog
  "DemoViewDwgOfDrawing OnDocListViewDwgFile Drawing:118 --demo"
  # a 3D document's light file downloaded (its STEP; no PDF, so nothing watermarked)
  "DemoDownloadOf3DDocument OnDocListDownLoadLightFile 3DDocument:134 --demo"
  # a workflow item's manager: the DWG box on, then a print of its DWGs
  "DemoWorkflowDwgPrint WfOutputLightFile WorkflowItem:2072 --demo"
  # the drawing's PDF opened: fetched, signed, watermarked, handed to the shell
  "DemoViewPdfOfDrawing OnDocListViewLightFile Drawing:118 --demo"
  # a workflow item's manager: the PDF box on, then a print: each PDF signed and watermarked
  # before the job is spooled
  "DemoWorkflowPdfPrint WfOutputLightFile WorkflowItem:2072 --demo")

# A ctest test PREFIX.NAME for each scenario, run with CLIENT (under the cross-compiling emulator,
# if any) in FOLDER/NAME.
function(viz_add_transcript_tests prefix client folder)
  foreach(scenario IN LISTS viz_transcript_scenarios)
    separate_arguments(words UNIX_COMMAND "${scenario}")
    list(GET words 0 name)
    list(GET words 1 command)
    list(GET words 2 selection)
    list(REMOVE_AT words 0 1 2)
    string(REPLACE ";" " " options "${words}")
    add_test(NAME ${prefix}.${name}
      COMMAND ${CMAKE_COMMAND} -DEMULATOR=${CMAKE_CROSSCOMPILING_EMULATOR} -DCLIENT=${client}
              -DFOLDER=${folder}/${name} -DNAME=${name} -DCOMMAND=${command} -DSELECT=${selection}
              "-DOPTIONS=${options}" -P ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/CompareTranscript.cmake)
    set_tests_properties(${prefix}.${name} PROPERTIES TIMEOUT 120)
    if(CMAKE_CROSSCOMPILING_EMULATOR)
      # The module's users run Chinese (PRC) Windows (the Windows tests' VIZ_WINE_ENVIRONMENT).
      set_tests_properties(${prefix}.${name} PROPERTIES ENVIRONMENT "${VIZ_WINE_ENVIRONMENT}")
    endif()
  endforeach()
endfunction()
