# check's keep-going mode under libFuzzer (fuzz_verifica.cpp); included by fuzz/CMakeLists.txt.
aggiungi_harness(fuzz_verifica ${CMAKE_CURRENT_LIST_DIR}/fuzz_verifica.cpp
                 scenario_tool_lib scenario)
# Its inputs are fuzz_entrambe's: the same seeds.
add_custom_command(TARGET semi_fuzz POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_CURRENT_BINARY_DIR}/semi/entrambe
          ${CMAKE_CURRENT_BINARY_DIR}/semi/verifica)
