# Checks one lesson program with velmora-cli:
# - it passes the check, every row clean but the blank last row that the
#   editor keeps after a program (which has no entrance and counts for nothing);
# - it is stored the way the editor saves it, with every parameter from its
#   list: encoding it and decoding the image gives the file back byte for byte.
# - it runs to the outputs of each of its traces: a trace file holds "#"
#   comments, one line "args: ..." for velmora-cli run, and the lines of the
#   run's trace that are no program row (outputs, inputs and how it stopped).
#   CLI, EXAMPLE (the .STXT file), TRACES (pattern of its trace files), WORK
#   (scratch folder)
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

file(GLOB traces "${TRACES}")
if(NOT traces)
  message(FATAL_ERROR "no trace for this lesson: ${TRACES}")
endif()
foreach(trace IN LISTS traces)
  file(STRINGS "${trace}" lines)
  list(FILTER lines EXCLUDE REGEX "^#")
  list(POP_FRONT lines args)
  if(NOT args MATCHES "^args:")
    message(FATAL_ERROR "${trace}: the first line after the comments is not 'args: ...'")
  endif()
  string(REGEX REPLACE "^args: *" "" args "${args}")
  separate_arguments(args UNIX_COMMAND "${args}")
  execute_process(COMMAND "${CLI}" run "${EXAMPLE}" ${args} OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
  string(REGEX MATCHALL "[^\n]+" events "${out}")
  list(FILTER events EXCLUDE REGEX "^[0-9]+\\.[0-9]\t[0-9]+\t")
  if(NOT rc EQUAL 0 OR NOT events STREQUAL lines)
    string(REPLACE ";" "\n" events "${events}")
    string(REPLACE ";" "\n" lines "${lines}")
    message(FATAL_ERROR "${trace}: exit code ${rc}, events\n${events}\nexpected\n${lines}\n${err}")
  endif()
endforeach()
