// The sanitizer's defaults in every harness, whoever runs it (CI, a long local run, a replay):
// - a freed block stays poisoned until 16 MB more have been freed, not 256 MB: far more than one
//   input frees, and the process no longer walks hundreds of megabytes of fresh pages;
// - new blocks are not filled with a marker byte: that catches no fault the sanitizers report.
// Options given in ASAN_OPTIONS still take precedence.
extern "C" const char* __asan_default_options() {  // NOLINT(readability-identifier-naming)
    return "quarantine_size_mb=16:max_malloc_fill_size=0";
}
