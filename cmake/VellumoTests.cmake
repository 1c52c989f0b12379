find_package(GTest REQUIRED)
include(GoogleTest)

# One test program per layer: tests/<folder>/*_test.cpp against vellumo_<folder>.
function(vellumo_test_program name library globs excludes)
    vellumo_collect(files "${globs}" "${excludes}")
    if(NOT files)
        return()
    endif()
    add_executable(${name} ${files})
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
    target_link_libraries(${name} PRIVATE ${library} GTest::gtest GTest::gtest_main)
    target_compile_definitions(${name} PRIVATE
        VELLUMO_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
        VELLUMO_TEST_DATA_DIR="${CMAKE_SOURCE_DIR}/tests/data"
        VELLUMO_BINARY_DIR="${CMAKE_BINARY_DIR}")
    gtest_discover_tests(${name}
        WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 60
        PROPERTIES LABELS native TIMEOUT 600)
endfunction()

vellumo_test_program(test_platform vellumo_platform "tests/platform/*_test.cpp" "")
vellumo_test_program(test_charset vellumo_charset "tests/charset/*_test.cpp" "")
vellumo_test_program(test_codec vellumo_codec "tests/codec/*_test.cpp" "")
vellumo_test_program(test_html vellumo_html "tests/html/*_test.cpp" "")
vellumo_test_program(test_mime vellumo_mime "tests/mime/*_test.cpp" "")
vellumo_test_program(test_host vellumo_host "tests/host/*_test.cpp" "")
vellumo_test_program(test_translate vellumo_translate "tests/translate/*_test.cpp" "")
vellumo_test_program(test_mailclient vellumo_mailclient "tests/mailclient/*_test.cpp" "")
# The mail client's side is also tested through the program built on it.
if(TARGET test_mailclient AND TARGET vellumo-translate)
    add_dependencies(test_mailclient vellumo-translate)
endif()

set(VELLUMO_WIN32_BIN ${CMAKE_SOURCE_DIR}/build/win32/bin CACHE PATH "Windows binaries for the Wine tests")
# The win32 build folder, where the release package lands.
get_filename_component(win32_build ${VELLUMO_WIN32_BIN} DIRECTORY)

# The import tables and headers of the shipped Windows binaries, read
# natively (no Wine): they need the win32 preset built first.
file(GLOB plugin_test_files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/plugin/*.cpp)
add_executable(test_plugin ${plugin_test_files})
target_include_directories(test_plugin PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(test_plugin PRIVATE vellumo_platform GTest::gtest GTest::gtest_main)
target_compile_definitions(test_plugin PRIVATE VELLUMO_WIN32_BIN="${VELLUMO_WIN32_BIN}")
gtest_discover_tests(test_plugin
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS native TIMEOUT 120)

# Tests of the real DLL and Windows programs under Wine. They need the win32
# preset built first; one throw-away Wine prefix serves the whole run.
file(GLOB wine_test_files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/wine/*_test.cpp)
if(wine_test_files)
    file(GLOB wine_support CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/wine/*_support.cpp)
    add_executable(test_wine ${wine_test_files} ${wine_support})
    # The resource ids the dialog code names, to check the DLL's templates.
    target_include_directories(test_wine PRIVATE ${CMAKE_SOURCE_DIR}/tests
                                                 ${CMAKE_SOURCE_DIR}/src/ui)
    target_link_libraries(test_wine PRIVATE vellumo_platform GTest::gtest GTest::gtest_main)
    target_compile_definitions(test_wine PRIVATE
        VELLUMO_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
        VELLUMO_WIN32_BIN="${VELLUMO_WIN32_BIN}"
        VELLUMO_VERSION="${PROJECT_VERSION}"
        VELLUMO_RELEASE_PACKAGE="${win32_build}/vellumo-${PROJECT_VERSION}-win32.zip"
        VELLUMO_CMAKE_COMMAND="${CMAKE_COMMAND}"
        VELLUMO_WINE_PREFIX="${CMAKE_BINARY_DIR}/wineprefix")
    add_test(NAME wine_prefix_setup
        COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-prefix.sh ${CMAKE_BINARY_DIR}/wineprefix)
    set_tests_properties(wine_prefix_setup PROPERTIES
        FIXTURES_SETUP wine_prefix LABELS wine TIMEOUT 300)
    gtest_discover_tests(test_wine
        WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 60
        PROPERTIES LABELS wine FIXTURES_REQUIRED wine_prefix RESOURCE_LOCK wine TIMEOUT 300)
endif()

# Source checks: each layer includes only its own headers and those below it,
# and every C++ file is as clang-format writes it.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_test(NAME layer_includes
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/scripts/check-layers.py ${CMAKE_SOURCE_DIR})
add_test(NAME clang_format COMMAND sh ${CMAKE_SOURCE_DIR}/scripts/check-format.sh)
set_tests_properties(layer_includes clang_format PROPERTIES LABELS source)
