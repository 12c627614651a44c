# TERRASCOPE_SANITIZE builds everything with AddressSanitizer and UndefinedBehaviorSanitizer
# (float-cast-overflow included) and makes the first report fatal, so a test that touches freed or
# out-of-range memory, overflows a signed integer or converts an unrepresentable float fails.
option(TERRASCOPE_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

if(TERRASCOPE_SANITIZE)
  set(TERRASCOPE_SANITIZER_FLAGS
      -fsanitize=address,undefined,float-cast-overflow
      -fno-sanitize-recover=all
      -fno-omit-frame-pointer)
  add_compile_options(${TERRASCOPE_SANITIZER_FLAGS})
  add_link_options(${TERRASCOPE_SANITIZER_FLAGS})
  # Every test (and every program it starts) halts on the first report with a stack; the only
  # leaks suppressed are Qt's own (tests/sanitizer/qt-leaks.supp).
  set(TERRASCOPE_SANITIZER_ENVIRONMENT
      "ASAN_OPTIONS=halt_on_error=1:detect_stack_use_after_return=0:strict_string_checks=1"
      "UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1"
      "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/sanitizer/qt-leaks.supp:print_suppressions=0")
endif()
