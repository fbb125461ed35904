# The language server's message handling under libFuzzer (fuzz_lsp.cpp); included by
# fuzz/CMakeLists.txt.
add_executable(fuzz_lsp ${CMAKE_CURRENT_LIST_DIR}/fuzz_lsp.cpp
               ${CMAKE_CURRENT_LIST_DIR}/opzioni_sanitizer.cpp)
target_include_directories(fuzz_lsp PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(fuzz_lsp PRIVATE -fsanitize=fuzzer ${SCENARIO_FUZZ_IGNORA}
                       ${SCENARIO_SANITIZER_FUZZ})
target_link_options(fuzz_lsp PRIVATE -fsanitize=fuzzer)
target_link_libraries(fuzz_lsp PRIVATE scenario_tool_lib scenario)
# No generated seeds: the hand-written sessions in fuzz/corpus/lsp are its seeds.
add_custom_command(TARGET semi_fuzz POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/semi/lsp)
