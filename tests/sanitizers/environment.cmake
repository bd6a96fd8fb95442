# Read by CTest before it runs the tests of a sanitizer build (HUEVANE_SANITIZE):
# every finding, leaks included, ends the program with a non-zero status, and
# only the suppressions beside this file are allowed.
set(HUEVANE_SUPPRESSIONS "${CMAKE_CURRENT_LIST_DIR}")
set(ENV{ASAN_OPTIONS}
    "detect_leaks=1:halt_on_error=1:abort_on_error=0:exitcode=23:check_initialization_order=1:detect_stack_use_after_return=1:strict_init_order=1")
set(ENV{LSAN_OPTIONS}
    "suppressions=${HUEVANE_SUPPRESSIONS}/lsan.supp:print_suppressions=0:exitcode=23")
set(ENV{UBSAN_OPTIONS}
    "suppressions=${HUEVANE_SUPPRESSIONS}/ubsan.supp:halt_on_error=1:print_stacktrace=1:exitcode=23")
