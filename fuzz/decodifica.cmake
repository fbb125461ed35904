# The readers of dump and render under libFuzzer (fuzz_decodifica.cpp); included by
# fuzz/CMakeLists.txt. The tool's library gets the coverage instrumentation and the sanitizers
# too: the printers and the page are part of what the harness explores.
target_compile_options(scenario_tool_lib PRIVATE -fsanitize=fuzzer-no-link
                       ${SCENARIO_FUZZ_IGNORA}
                       ${SCENARIO_SANITIZER_FUZZ})
aggiungi_harness(fuzz_decodifica ${CMAKE_CURRENT_LIST_DIR}/fuzz_decodifica.cpp
                 scenario_tool_lib scenario)
