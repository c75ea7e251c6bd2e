# Unpacks the package and checks it:
# - the dist folder holds one package, which unzip unpacks into a fresh folder;
# - its listing is exactly the expected files under one top folder named like
#   the zip;
# - the programs and libraries are the build's own, of the right kind: the
#   device libraries at the top, the simulated ones in Simulated/;
# - the lesson programs are the project's, and each passes velmora-cli check;
# - package_tests (under Wine) starts the unpacked editors and reads the texts.
#   DIST_DIR, WORK (scratch folder, the tests' working directory), BIN_DIR
#   (the build's bin folder), EXAMPLES_DIR, EMULATOR, CLI, TESTS
file(GLOB zips "${DIST_DIR}/Velmora-*-windows-x64.zip")
list(LENGTH zips count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "expected one package in ${DIST_DIR}, found ${count}: ${zips}")
endif()
get_filename_component(zip_name "${zips}" NAME)
get_filename_component(top "${zips}" NAME_WLE)

file(REMOVE_RECURSE "${WORK}/unpacked")
file(MAKE_DIRECTORY "${WORK}/unpacked")
execute_process(COMMAND unzip -q "${zips}" -d "${WORK}/unpacked" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "unzip failed with ${rc}")
endif()
set(package "${WORK}/unpacked/${top}")

execute_process(COMMAND unzip -Z1 "${zips}" OUTPUT_VARIABLE listing RESULT_VARIABLE rc)
string(REGEX MATCHALL "[^\n]+" listed "${listing}")
file(GLOB examples RELATIVE "${EXAMPLES_DIR}" "${EXAMPLES_DIR}/*.STXT")
set(expected Examples/ Halvex.dll LICENSE.txt PembleUSB.dll README.txt Simulated/ Simulated/Halvex.dll
  Simulated/PembleUSB.dll Simulated/SimDevice.ini Simulated/Velmora.exe Velmora.exe)
foreach(example IN LISTS examples)
  list(APPEND expected "Examples/${example}")
endforeach()
list(TRANSFORM expected PREPEND "${top}/")
list(APPEND expected "${top}/")
list(SORT expected)
list(SORT listed)
if(NOT listed STREQUAL expected)
  string(REPLACE ";" "\n  " listed "${listed}")
  string(REPLACE ";" "\n  " expected "${expected}")
  message(FATAL_ERROR "the package holds\n  ${listed}\nexpected\n  ${expected}")
endif()

function(expect_same_file packaged built)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${package}/${packaged}" "${built}" RESULT_VARIABLE differ)
  if(differ)
    message(FATAL_ERROR "${packaged} is not ${built}")
  endif()
endfunction()
foreach(file Velmora.exe Halvex.dll PembleUSB.dll)
  expect_same_file("${file}" "${BIN_DIR}/hardware/${file}")
  expect_same_file("Simulated/${file}" "${BIN_DIR}/simulated/${file}")
endforeach()

foreach(example IN LISTS examples)
  expect_same_file("Examples/${example}" "${EXAMPLES_DIR}/${example}")
  execute_process(COMMAND ${EMULATOR} "${CLI}" check "${package}/Examples/${example}"
    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0 OR NOT out MATCHES "\nresult: [01] first-error: 0\n$")
    message(FATAL_ERROR "velmora-cli check ${example}: exit code ${rc}\n${out}${err}")
  endif()
endforeach()

execute_process(COMMAND ${CMAKE_COMMAND} -E env "VELMORA_PACKAGE_ZIP=${zip_name}" ${EMULATOR} "${TESTS}" --gtest_brief=1
  WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "package_tests failed")
endif()
