# The message catalogue drawn from the sources, in one place for the target
# that refreshes po/scenario_builder.pot and for the test that checks po/it.po
# against the sources. Run with cmake -P:
#   -DSORGENTI=<source dir> -DPOT=<output .pot> [-DPO=<a .po to check>]
# xgettext takes the texts marked where they stand: N_() and plurale() in the
# layers below the tools (motivo_proprio() in the platform, which lies below
# them), traduci(), traduci_plurale() and traduci_in() in the tools. With PO, every text taken must have its translation there (msgcmp
# counts an untranslated or fuzzy entry as missing).
find_program(XGETTEXT xgettext REQUIRED)
file(GLOB_RECURSE sorgenti RELATIVE ${SORGENTI} ${SORGENTI}/src/*.cpp ${SORGENTI}/src/*.h)
list(SORT sorgenti)
execute_process(
  COMMAND ${XGETTEXT} --language=C++ --from-code=UTF-8 --add-comments=TRANSLATORS
          --keyword=N_ --keyword=traduci --keyword=traduci_plurale:1,2
          --keyword=traduci_in:1c,2 --keyword=plurale:1,2
          --keyword=motivo_proprio
          --package-name=scenario_builder --add-location=file --sort-by-file
          --output=${POT} ${sorgenti}
  WORKING_DIRECTORY ${SORGENTI}
  RESULT_VARIABLE esito)
if(NOT esito EQUAL 0)
  message(FATAL_ERROR "xgettext failed")
endif()
if(DEFINED PO)
  find_program(MSGCMP msgcmp REQUIRED)
  execute_process(COMMAND ${MSGCMP} ${PO} ${POT} RESULT_VARIABLE esito)
  if(NOT esito EQUAL 0)
    message(FATAL_ERROR "${PO}: texts of the sources without a translation")
  endif()
endif()
