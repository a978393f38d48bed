# Native i386 build: the module against our stand-ins, with every unit test.
find_package(GTest REQUIRED)
find_package(benchmark QUIET)
include(GoogleTest)

# The module's resources: windres compiles src/res/cinevane.rc to a .res, as for the DLL, and its
# bytes are embedded for the platform stand-in's resource functions to read.
find_program(CINEVANE_WINDRES NAMES i686-w64-mingw32-windres REQUIRED)
file(GLOB CINEVANE_RES_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/res/*)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/generated)

# Compiles `rc` with the DLL's definitions and embeds the .res as NAMESPACE::FUNCTION() in
# `output`.
function(cinevane_embedded_res rc output namespace function)
    get_filename_component(name ${rc} NAME_WE)
    set(res ${CMAKE_BINARY_DIR}/generated/${name}.res)
    add_custom_command(
        OUTPUT ${res}
        COMMAND ${CINEVANE_WINDRES} -O res -DUNICODE -D_UNICODE -DWIN32_LEAN_AND_MEAN
                -I ${CMAKE_SOURCE_DIR}/src ${rc} ${res}
        DEPENDS ${rc} ${ARGN}
        COMMENT "Compiling ${name}.rc with windres")
    add_custom_command(
        OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -DINPUT=${res} -DOUTPUT=${output} -DNAMESPACE=${namespace}
                -DFUNCTION=${function} -P ${CMAKE_SOURCE_DIR}/cmake/embed-bytes.cmake
        DEPENDS ${res} ${CMAKE_SOURCE_DIR}/cmake/embed-bytes.cmake
        COMMENT "Embedding ${name}.res")
endfunction()

set(CINEVANE_EMBEDDED_RES ${CMAKE_BINARY_DIR}/generated/embedded_res.cpp)
cinevane_embedded_res(${CINEVANE_RC} ${CINEVANE_EMBEDDED_RES} standin EmbeddedRes
                      ${CINEVANE_RES_FILES})

file(GLOB_RECURSE CINEVANE_PLATFORM_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/standin/platform/src/*.cpp)
add_library(cinevane_platform STATIC ${CINEVANE_PLATFORM_SOURCES} ${CINEVANE_EMBEDDED_RES})
target_include_directories(cinevane_platform PUBLIC ${CMAKE_SOURCE_DIR}/standin/platform/include)

# The module itself, as a library the host stand-in and the tests call the way the host does.
add_library(cinevane_module STATIC ${CINEVANE_MODULE_SOURCES})
target_include_directories(cinevane_module PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(cinevane_module PUBLIC cinevane_platform)
# A floating-point value converted to an integer type it does not fit is undefined behaviour: in
# the Debug build such a conversion in the module stops the program instead of passing unseen.
set(CINEVANE_CAST_CHECK -fsanitize=float-cast-overflow -fno-sanitize-recover=float-cast-overflow)
target_compile_options(cinevane_module PRIVATE $<$<CONFIG:Debug>:${CINEVANE_CAST_CHECK}>)
target_link_options(cinevane_module PUBLIC $<$<CONFIG:Debug>:-fsanitize=float-cast-overflow>)

file(GLOB CINEVANE_HOST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/standin/host/*.cpp)
list(FILTER CINEVANE_HOST_SOURCES EXCLUDE REGEX ".*_main\\.cpp$")
add_library(cinevane_host_standin STATIC ${CINEVANE_HOST_SOURCES})
target_include_directories(cinevane_host_standin PUBLIC ${CMAKE_SOURCE_DIR}/standin/host)
target_include_directories(cinevane_host_standin SYSTEM PUBLIC ${CINEVANE_STB_INCLUDE_DIR})
target_link_libraries(cinevane_host_standin PUBLIC cinevane_module)
# The host program (cinevane-host) registers itself from its folder.
include(${CMAKE_SOURCE_DIR}/standin/host/native.cmake OPTIONAL)

file(GLOB CINEVANE_TEST_SUPPORT CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/support/*.cpp)
file(GLOB CINEVANE_UNIT_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
# The platform conformance cases run here against the stand-ins (suite PlatformConformance) and,
# built for Windows, against Wine's real DirectShow (tests/wine/windows.cmake).
file(GLOB CINEVANE_CONFORMANCE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/conformance/*.cpp)
list(FILTER CINEVANE_CONFORMANCE_TESTS EXCLUDE REGEX ".*_windows\\.cpp$")
add_executable(cinevane_unit_tests ${CINEVANE_UNIT_TESTS} ${CINEVANE_CONFORMANCE_TESTS}
                                   ${CINEVANE_TEST_SUPPORT})
target_include_directories(cinevane_unit_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_compile_definitions(cinevane_unit_tests
                           PRIVATE CINEVANE_TEST_DATA_DIR="${CMAKE_SOURCE_DIR}/tests/unit/data")
target_link_libraries(cinevane_unit_tests PRIVATE cinevane_host_standin GTest::gtest GTest::gtest_main)
# Templates the module's .rc does not use (DIALOGEX, MENUEX), compiled the same way for the tests.
set(CINEVANE_TEST_TEMPLATES ${CMAKE_BINARY_DIR}/generated/test_templates.cpp)
cinevane_embedded_res(${CMAKE_SOURCE_DIR}/tests/unit/test_templates.rc ${CINEVANE_TEST_TEMPLATES}
                      testdata TemplatesRes)
target_sources(cinevane_unit_tests PRIVATE ${CINEVANE_TEST_TEMPLATES})
gtest_discover_tests(cinevane_unit_tests PROPERTIES LABELS unit DISCOVERY_TIMEOUT 60)

# The author's help file, Help/Cinevane.chm, and what its tests need.
include(${CMAKE_SOURCE_DIR}/tools/help/help.cmake)

if(benchmark_FOUND)
    file(GLOB CINEVANE_BENCHES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*.cpp)
    foreach(bench_source ${CINEVANE_BENCHES})
        get_filename_component(bench_name ${bench_source} NAME_WE)
        add_executable(${bench_name} ${bench_source} ${CINEVANE_TEST_SUPPORT})
        target_include_directories(${bench_name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
        target_link_libraries(${bench_name} PRIVATE cinevane_host_standin benchmark::benchmark)
    endforeach()
endif()
