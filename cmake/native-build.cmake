# Native i386 build: the module against our stand-ins, with every unit test.
find_package(GTest REQUIRED)
find_package(benchmark QUIET)
include(GoogleTest)

# Small build-time tool that turns src/res/cinevane.rc into tables the platform stand-in serves,
# so the native build reads the very same resources the Windows build compiles.
file(GLOB CINEVANE_RCGEN_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/standin/platform/rcgen/*.cpp)
set(CINEVANE_GENERATED_RESOURCES ${CMAKE_BINARY_DIR}/generated/resources.cpp)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/generated)
if(CINEVANE_RCGEN_SOURCES)
    # The parsers form a library of their own, so the unit tests can feed them .rc text too.
    set(CINEVANE_RCGEN_PARSER_SOURCES ${CINEVANE_RCGEN_SOURCES})
    list(FILTER CINEVANE_RCGEN_PARSER_SOURCES EXCLUDE REGEX ".*/main\\.cpp$")
    add_library(cinevane_rcgen_parser STATIC ${CINEVANE_RCGEN_PARSER_SOURCES})
    target_include_directories(cinevane_rcgen_parser PUBLIC ${CMAKE_SOURCE_DIR}/standin/platform/rcgen)
    add_executable(cinevane_rcgen ${CMAKE_SOURCE_DIR}/standin/platform/rcgen/main.cpp)
    target_link_libraries(cinevane_rcgen PRIVATE cinevane_rcgen_parser)
    file(GLOB CINEVANE_RES_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/res/*)
    add_custom_command(
        OUTPUT ${CINEVANE_GENERATED_RESOURCES}
        COMMAND $<TARGET_FILE:cinevane_rcgen> ${CINEVANE_RC} ${CINEVANE_GENERATED_RESOURCES}
        DEPENDS cinevane_rcgen ${CINEVANE_RES_FILES}
        COMMENT "Compiling cinevane.rc for the platform stand-in")
else()
    file(WRITE ${CINEVANE_GENERATED_RESOURCES} "// no resource compiler yet\n")
endif()

file(GLOB_RECURSE CINEVANE_PLATFORM_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/standin/platform/src/*.cpp)
add_library(cinevane_platform STATIC ${CINEVANE_PLATFORM_SOURCES} ${CINEVANE_GENERATED_RESOURCES})
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
target_link_libraries(cinevane_host_standin PUBLIC cinevane_module)
# The host program (cinevane-host) registers itself from its folder.
include(${CMAKE_SOURCE_DIR}/standin/host/native.cmake OPTIONAL)

file(GLOB CINEVANE_TEST_SUPPORT CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/support/*.cpp)
file(GLOB CINEVANE_UNIT_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
add_executable(cinevane_unit_tests ${CINEVANE_UNIT_TESTS} ${CINEVANE_TEST_SUPPORT})
target_include_directories(cinevane_unit_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(cinevane_unit_tests PRIVATE cinevane_host_standin GTest::gtest GTest::gtest_main)
if(TARGET cinevane_rcgen_parser)
    target_link_libraries(cinevane_unit_tests PRIVATE cinevane_rcgen_parser)
endif()
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
