# The language server's message handling under libFuzzer (fuzz_lsp.cpp); included by
# fuzz/CMakeLists.txt.
aggiungi_harness(fuzz_lsp ${CMAKE_CURRENT_LIST_DIR}/fuzz_lsp.cpp scenario_tool_lib scenario)
# No generated seeds: the hand-written sessions in fuzz/corpus/lsp are its seeds.
add_custom_command(TARGET semi_fuzz POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/semi/lsp)
