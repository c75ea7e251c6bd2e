# velmora_delay_import(DLL DEF): an interface target <dll>_delayed whose
# functions (those DEF lists) bind when first called instead of at start-up,
# through a delay-load library made by dlltool. A call to anything not in DEF
# fails to link, so no import of the DLL slips back in eagerly.
find_program(VELMORA_DLLTOOL NAMES ${VELMORA_MINGW_PREFIX}-dlltool REQUIRED)

function(velmora_delay_import dll def)
  set(lib ${CMAKE_BINARY_DIR}/delay/lib${dll}_delay.a)
  add_custom_command(OUTPUT ${lib}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/delay
    COMMAND ${VELMORA_DLLTOOL} --input-def ${def} --dllname ${dll}.dll --output-delaylib ${lib}
    DEPENDS ${def})
  add_custom_target(${dll}_delay_lib DEPENDS ${lib})
  add_library(${dll}_delayed INTERFACE)
  target_link_libraries(${dll}_delayed INTERFACE ${lib})
  add_dependencies(${dll}_delayed ${dll}_delay_lib)
endfunction()
