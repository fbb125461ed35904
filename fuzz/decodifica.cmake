# The readers of dump and render under libFuzzer (fuzz_decodifica.cpp); included by
# fuzz/CMakeLists.txt. The tool's library gets the coverage instrumentation and the sanitizers
# too: the printers and the page are part of what the harness explores.
target_compile_options(scenario_tool_lib PRIVATE -fsanitize=fuzzer-no-link ${SCENARIO_FUZZ_IGNORA}
                       ${SCENARIO_SANITIZER_FUZZ})
add_executable(fuzz_decodifica ${CMAKE_CURRENT_LIST_DIR}/fuzz_decodifica.cpp
               ${CMAKE_CURRENT_LIST_DIR}/opzioni_sanitizer.cpp)
target_include_directories(fuzz_decodifica PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(fuzz_decodifica PRIVATE -fsanitize=fuzzer ${SCENARIO_FUZZ_IGNORA}
                       ${SCENARIO_SANITIZER_FUZZ})
target_link_options(fuzz_decodifica PRIVATE -fsanitize=fuzzer)
target_link_libraries(fuzz_decodifica PRIVATE scenario_tool_lib scenario)
