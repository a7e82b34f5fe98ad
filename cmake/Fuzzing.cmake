# Instrumentation of every target for the fuzz and coverage builds (clang only).
if(KELVANDOR_FUZZ)
  # The libraries under test report their edges and comparisons to libFuzzer,
  # so mutation is guided by the code it reaches; only the fuzz executables
  # link libFuzzer's driver (fuzz/CMakeLists.txt).
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
if(KELVANDOR_COVERAGE)
  # Source-based coverage, for the report of what the fuzz corpora reach.
  add_compile_options(-fprofile-instr-generate -fcoverage-mapping)
  add_link_options(-fprofile-instr-generate)
endif()
