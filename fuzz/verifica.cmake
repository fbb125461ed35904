# check's keep-going mode under libFuzzer (fuzz_verifica.cpp); included by fuzz/CMakeLists.txt.
add_executable(fuzz_verifica ${CMAKE_CURRENT_LIST_DIR}/fuzz_verifica.cpp
               ${CMAKE_CURRENT_LIST_DIR}/opzioni_sanitizer.cpp)
target_include_directories(fuzz_verifica PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(fuzz_verifica PRIVATE -fsanitize=fuzzer ${SCENARIO_FUZZ_IGNORA}
                       ${SCENARIO_SANITIZER_FUZZ})
target_link_options(fuzz_verifica PRIVATE -fsanitize=fuzzer)
target_link_libraries(fuzz_verifica PRIVATE scenario_tool_lib scenario)
# Its inputs are fuzz_entrambe's: the same seeds.
add_custom_command(TARGET semi_fuzz POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_CURRENT_BINARY_DIR}/semi/entrambe
          ${CMAKE_CURRENT_BINARY_DIR}/semi/verifica)
