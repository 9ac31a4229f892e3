# Runs the language table generator into OUTPUT_DIR and compares each table
# with the committed one in EXPECTED_DIR.
file(MAKE_DIRECTORY "${OUTPUT_DIR}")
execute_process(COMMAND "${GENERATOR}" "${OUTPUT_DIR}" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "generator failed: ${rc}")
endif()
foreach(n 1 2 3)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files
                  "${OUTPUT_DIR}/LANG${n}.bin" "${EXPECTED_DIR}/LANG${n}.bin"
                  RESULT_VARIABLE differ)
  if(NOT differ EQUAL 0)
    message(FATAL_ERROR "${EXPECTED_DIR}/LANG${n}.bin differs from what the generator makes; "
                        "regenerate it with make-language-tables")
  endif()
endforeach()
