# fuzz/<name>_fuzz.cpp becomes the libFuzzer program <name>_fuzz, seeded from
# fuzz/seeds/<name>/ (and a dictionary fuzz/<name>.dict when present). Each gets a short
# smoke run as a test; the corpus it grows stays in the build folder.
set(VELLUMO_FUZZ_SECONDS 20 CACHE STRING "Length of each fuzz smoke run in seconds")
file(GLOB fuzz_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/*_fuzz.cpp)
foreach(source IN LISTS fuzz_sources)
    get_filename_component(target ${source} NAME_WE)
    string(REGEX REPLACE "_fuzz$" "" stem ${target})
    add_executable(${target} ${source})
    target_link_libraries(${target} PRIVATE vellumo_mailclient)
    # Test support headers (digests shared with the unit tests).
    target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
    target_link_options(${target} PRIVATE -fsanitize=fuzzer)
    set(work ${CMAKE_BINARY_DIR}/fuzz-corpus/${stem})
    set(args -max_total_time=${VELLUMO_FUZZ_SECONDS} -timeout=10 -rss_limit_mb=2048
             -print_final_stats=1)
    if(EXISTS ${CMAKE_SOURCE_DIR}/fuzz/${stem}.dict)
        list(APPEND args -dict=${CMAKE_SOURCE_DIR}/fuzz/${stem}.dict)
    endif()
    add_test(NAME fuzz_${stem}
        COMMAND ${CMAKE_COMMAND} -E env sh -c
            "mkdir -p '${work}' && exec \"$0\" \"$@\""
            $<TARGET_FILE:${target}> ${args} ${work} ${CMAKE_SOURCE_DIR}/fuzz/seeds/${stem})
    set_tests_properties(fuzz_${stem} PROPERTIES LABELS fuzz TIMEOUT 300)
endforeach()
