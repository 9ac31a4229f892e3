# Runs make-skin into OUTPUT_DIR and compares what it writes with the committed
# files in EXPECTED_DIR: the layout descriptors and the icon always; the skin
# pictures only when they were drawn with the same libraries and fonts as the
# committed ones (skin/RENDERER.txt), since another FreeType, Qt, zlib or font
# version may draw or compress a few pixels differently. Their sizes and format
# are checked everywhere by test_skin.
file(REMOVE_RECURSE "${OUTPUT_DIR}")
file(MAKE_DIRECTORY "${OUTPUT_DIR}")
execute_process(COMMAND "${GENERATOR}" "${OUTPUT_DIR}" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "make-skin failed: ${rc}")
endif()

function(compare relative)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files
                  "${OUTPUT_DIR}/${relative}" "${EXPECTED_DIR}/${relative}"
                  RESULT_VARIABLE differ)
  if(NOT differ EQUAL 0)
    message(FATAL_ERROR "${EXPECTED_DIR}/${relative} differs from what make-skin draws; "
                        "regenerate with: make-skin ${EXPECTED_DIR}")
  endif()
endfunction()

foreach(name ORG.txt ORG1.txt ORG2.txt ORG3.txt icons/vtr6420kd.svg)
  compare(${name})
endforeach()

# The same set of pictures on both sides.
file(GLOB generated RELATIVE "${OUTPUT_DIR}/skin" "${OUTPUT_DIR}/skin/*.png" "${OUTPUT_DIR}/skin/*.gif")
file(GLOB committed RELATIVE "${EXPECTED_DIR}/skin" "${EXPECTED_DIR}/skin/*.png" "${EXPECTED_DIR}/skin/*.gif")
list(SORT generated)
list(SORT committed)
if(NOT generated STREQUAL committed)
  message(FATAL_ERROR "the committed pictures (${committed}) are not the ones make-skin draws (${generated})")
endif()

file(READ "${OUTPUT_DIR}/skin/RENDERER.txt" here)
file(READ "${EXPECTED_DIR}/skin/RENDERER.txt" there)
if(NOT here STREQUAL there)
  message(STATUS "SKIPPED: the pictures were drawn with other libraries or fonts than here:\n"
                 "committed:\n${there}\nhere:\n${here}")
  return()
endif()
foreach(name IN LISTS generated)
  compare(skin/${name})
endforeach()
