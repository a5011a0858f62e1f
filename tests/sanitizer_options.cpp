// Linked into the unit tests of a sanitized build, so that every run of them, CTest's
// listing at build time included, stops at the first fault with a full report. The
// variables ASAN_OPTIONS and UBSAN_OPTIONS still override these.
extern "C" {

__attribute__((used)) const char* __asan_default_options() {
    return "halt_on_error=1:abort_on_error=0:detect_leaks=1:detect_stack_use_after_return=1";
}

__attribute__((used)) const char* __ubsan_default_options() {
    return "halt_on_error=1:print_stacktrace=1";
}
}
