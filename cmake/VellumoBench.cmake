find_package(benchmark REQUIRED)
file(GLOB bench_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*_bench.cpp)
foreach(source IN LISTS bench_sources)
    get_filename_component(target ${source} NAME_WE)
    add_executable(${target} ${source})
    target_link_libraries(${target} PRIVATE vellumo_translate benchmark::benchmark)
endforeach()
# The copy baseline of bench/translate_timing.sh (no benchmark library).
add_executable(copy_baseline ${CMAKE_SOURCE_DIR}/bench/copy_baseline.cpp)
target_link_libraries(copy_baseline PRIVATE vellumo_platform)
# The driver alone, as the plug-in runs it (no command-line checks).
add_executable(translate_file ${CMAKE_SOURCE_DIR}/bench/translate_file.cpp)
target_link_libraries(translate_file PRIVATE vellumo_translate)
# Peak memory of the built-in HTML renderer (bench/html_memory.sh).
add_executable(html_memory ${CMAKE_SOURCE_DIR}/bench/html_memory.cpp)
target_link_libraries(html_memory PRIVATE vellumo_html)
