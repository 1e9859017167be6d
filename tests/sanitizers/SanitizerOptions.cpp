// Default options of the sanitizer runtimes, linked into every program of a
// sanitized build. Built in rather than passed through the environment so
// that every way of starting a program (CTest's test discovery, the desktop
// suite starting zelvik, a developer running a suite by hand) runs with the
// same options and the same suppressions.
//
// The suppression files beside this one name what is not ours to fix; each
// entry says why it is there.

#define ZELVIK_EXPORT extern "C" __attribute__((visibility("default"), used))

ZELVIK_EXPORT const char* __asan_default_options() {
    // Reports go to standard error and fail the program with exit code 1;
    // leaks are checked at exit. Stack-use-after-return costs too much time
    // for a whole suite on two cores. Qt's libraries have no frame pointers,
    // so allocations are traced with the slower unwinder: the suppressions
    // can then name the Qt function that allocated, not just the library;
    // twelve frames reach it and keep start-up quick enough.
    return "detect_leaks=1:strict_init_order=1:check_initialization_order=1:"
           "detect_stack_use_after_return=0:fast_unwind_on_malloc=0:malloc_context_size=12:"
           "print_summary=1";
}

ZELVIK_EXPORT const char* __lsan_default_options() {
    return "suppressions=" ZELVIK_SANITIZER_DIR "/lsan.supp:print_suppressions=0";
}

ZELVIK_EXPORT const char* __ubsan_default_options() {
    return "suppressions=" ZELVIK_SANITIZER_DIR "/ubsan.supp:print_stacktrace=1:halt_on_error=1:"
           "print_summary=1";
}
