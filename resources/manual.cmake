# The help page goes beside the executable, where the help menu opens it.
configure_file(${CMAKE_CURRENT_LIST_DIR}/Manual/manual.html ${KEMLORA_OUTPUT_DIR}/Manual/manual.html COPYONLY)
