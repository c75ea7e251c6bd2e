# Runs velmora-cli on copies of the sample files and checks what it does.
#   CLI, EMULATOR (empty natively), DATA (sample folder), WORK (scratch folder)
#   ARGS               the command line, paths relative to WORK
#   COPY_AS            optional "sample;new name": a sample copied under another name
#   EXPECT_RC          exit code
#   EXPECT_STDOUT      optional sample file the standard output must equal byte for byte
#   EXPECT_STDOUT_MATCH optional regular expression the standard output must match
#   EXPECT_STDERR      optional regular expression for the error output
#   EXPECT_FILE        optional "produced;sample": a written file that must equal a sample
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(GLOB samples "${DATA}/*")
file(COPY ${samples} DESTINATION "${WORK}")
if(COPY_AS)
  list(GET COPY_AS 0 from)
  list(GET COPY_AS 1 to)
  file(COPY_FILE "${DATA}/${from}" "${WORK}/${to}")
endif()

execute_process(COMMAND ${EMULATOR} "${CLI}" ${ARGS}
  WORKING_DIRECTORY "${WORK}"
  OUTPUT_FILE "${WORK}/stdout.out"
  ERROR_VARIABLE err
  RESULT_VARIABLE rc)

if(NOT rc STREQUAL EXPECT_RC)
  message(FATAL_ERROR "exit code ${rc}, expected ${EXPECT_RC}; stderr:\n${err}")
endif()
if(EXPECT_STDOUT)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${WORK}/stdout.out" "${DATA}/${EXPECT_STDOUT}"
    RESULT_VARIABLE differ)
  if(differ)
    file(READ "${WORK}/stdout.out" out)
    message(FATAL_ERROR "standard output differs from ${EXPECT_STDOUT}:\n${out}")
  endif()
endif()
if(EXPECT_STDOUT_MATCH)
  file(READ "${WORK}/stdout.out" out)
  if(NOT out MATCHES "${EXPECT_STDOUT_MATCH}")
    message(FATAL_ERROR "standard output does not match '${EXPECT_STDOUT_MATCH}'")
  endif()
endif()
if(EXPECT_STDERR AND NOT err MATCHES "${EXPECT_STDERR}")
  message(FATAL_ERROR "error output does not match '${EXPECT_STDERR}':\n${err}")
endif()
if(EXPECT_FILE)
  list(GET EXPECT_FILE 0 produced)
  list(GET EXPECT_FILE 1 sample)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${WORK}/${produced}" "${DATA}/${sample}"
    RESULT_VARIABLE differ)
  if(differ)
    message(FATAL_ERROR "${produced} differs from ${sample}")
  endif()
endif()
