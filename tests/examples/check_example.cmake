# Checks one lesson program with velmora-cli:
# - it passes the check, every row clean but the blank last row that the
#   editor keeps after a program (which has no entrance and counts for nothing);
# - it is stored the way the editor saves it, with every parameter from its
#   list: encoding it and decoding the image gives the file back byte for byte.
#   CLI, EXAMPLE (the .STXT file), WORK (scratch folder)
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

execute_process(COMMAND "${CLI}" check "${EXAMPLE}" OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "check: exit code ${rc}\n${out}${err}")
endif()
string(REGEX MATCHALL "[^\n]+" lines "${out}")
list(POP_BACK lines summary)
list(POP_BACK lines last)
if(NOT summary STREQUAL "result: 0 first-error: 0" OR NOT last MATCHES "^[0-9]+\t080\t0\t-\tNo entrance!$")
  message(FATAL_ERROR "check: not a clean program followed by the blank row:\n${out}")
endif()
foreach(line IN LISTS lines)
  if(NOT line MATCHES "^[0-9]+\t000\t1\t")
    message(FATAL_ERROR "check: a row with an error or no entrance: ${line}\n${out}")
  endif()
endforeach()

execute_process(COMMAND "${CLI}" encode "${EXAMPLE}" "${WORK}/image.bin" RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "encode: exit code ${rc}\n${err}")
endif()
execute_process(COMMAND "${CLI}" decode "${WORK}/image.bin" OUTPUT_FILE "${WORK}/decoded.stxt" RESULT_VARIABLE rc)
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${WORK}/decoded.stxt" "${EXAMPLE}" RESULT_VARIABLE differ)
if(NOT rc EQUAL 0 OR differ)
  file(READ "${WORK}/decoded.stxt" decoded)
  message(FATAL_ERROR "the image decodes to another program:\n${decoded}")
endif()
