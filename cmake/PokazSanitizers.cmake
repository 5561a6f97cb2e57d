# POKAZ_SANITIZE=ON builds everything with AddressSanitizer (leaks included)
# and UndefinedBehaviorSanitizer. Any finding stops the process with a
# non-zero status, so a test that trips a sanitizer fails.
#
# The runtime options, the leak suppressions for the toolkit's own allocations
# among them, reach every test through the CTest include file written below:
# ctest reads it before it starts the first test, so running ctest by hand in
# the sanitizer build folder behaves exactly like scripts/test.sh.

option(POKAZ_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

if(POKAZ_SANITIZE)
    set(pokaz_sanitizer_flags
        -fsanitize=address,undefined
        -fno-sanitize-recover=all
        -fno-omit-frame-pointer
    )
    add_compile_options(${pokaz_sanitizer_flags})
    add_link_options(-fsanitize=address,undefined)

    set(POKAZ_SANITIZER_SUPPRESSIONS ${CMAKE_CURRENT_SOURCE_DIR}/tests/sanitizers.supp)
    set(pokaz_sanitizer_env ${CMAKE_CURRENT_BINARY_DIR}/sanitizer_environment.cmake)
    file(WRITE ${pokaz_sanitizer_env}
        "set(ENV{ASAN_OPTIONS} \"detect_leaks=1:abort_on_error=0:strict_init_order=1:detect_stack_use_after_return=1\")\n"
        "set(ENV{LSAN_OPTIONS} \"suppressions=${POKAZ_SANITIZER_SUPPRESSIONS}:print_suppressions=0\")\n"
        "set(ENV{UBSAN_OPTIONS} \"print_stacktrace=1:halt_on_error=1\")\n"
    )
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${pokaz_sanitizer_env})
endif()
