# Wine tier (label wine), included by cmake/windows-build.cmake.
# Every tests/wine/*_wine.cpp becomes a Windows program next to Cinevane.dll, linked with its own
# copy of the module's sources and resources (to reach module internals); it may also load the
# real Cinevane.dll from its folder. The platform conformance cases of tests/conformance become the
# program conformance_wine. Programs print "N passed, N failed" and exit non-zero on a failure;
# ctest runs each through scripts/wine-env (Wine prefix, virtual display, null sound).

add_library(cinevane_module_for_tests STATIC ${CINEVANE_MODULE_SOURCES})
target_include_directories(cinevane_module_for_tests PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_compile_definitions(cinevane_module_for_tests PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN)
target_link_libraries(cinevane_module_for_tests PUBLIC strmiids ole32 oleaut32 uuid comdlg32 gdi32
                      user32)

# A program's limit: where the kernel runs no 32-bit programs the tier runs in scripts/wine-vm's
# emulated machine, several times slower than natively (the long run takes about 7 minutes there).
set(CINEVANE_WINE_TEST_TIMEOUT 1200)

# Runs a Windows test program under Wine as test wine.<name>.
function(cinevane_wine_test wine_name)
    target_link_options(${wine_name} PRIVATE -static-libgcc -static-libstdc++)
    add_test(NAME wine.${wine_name}
             COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-env wine $<TARGET_FILE:${wine_name}>
             WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
    # One Wine prefix, one C:\Cinevane\EventLog.txt: the programs run one at a time.
    set_tests_properties(wine.${wine_name} PROPERTIES LABELS wine TIMEOUT ${CINEVANE_WINE_TEST_TIMEOUT}
                         FAIL_REGULAR_EXPRESSION "FAILED" RESOURCE_LOCK cinevane_wine_prefix)
endfunction()

file(GLOB CINEVANE_WINE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/wine/*_wine.cpp)
foreach(wine_source ${CINEVANE_WINE_TESTS})
    get_filename_component(wine_name ${wine_source} NAME_WE)
    add_executable(${wine_name} ${wine_source} ${CINEVANE_RC})
    target_include_directories(${wine_name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
    target_link_libraries(${wine_name} PRIVATE cinevane_module_for_tests)
    add_dependencies(${wine_name} Cinevane)
    cinevane_wine_test(${wine_name})
endforeach()

# The platform conformance cases (tests/conformance), built natively into the unit tests, as one
# program against Wine's real DirectShow; it needs no module, only the media writer for clips.
file(GLOB CINEVANE_CONFORMANCE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/conformance/*.cpp)
list(FILTER CINEVANE_CONFORMANCE_SOURCES EXCLUDE REGEX ".*_native\\.cpp$")
add_executable(conformance_wine ${CINEVANE_CONFORMANCE_SOURCES}
                                ${CMAKE_SOURCE_DIR}/standin/host/media_writer.cpp)
target_include_directories(conformance_wine PRIVATE ${CMAKE_SOURCE_DIR}/tests
                                                    ${CMAKE_SOURCE_DIR}/standin/host)
target_compile_definitions(conformance_wine PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN)
target_link_libraries(conformance_wine PRIVATE strmiids ole32 oleaut32 uuid gdi32 user32)
cinevane_wine_test(conformance_wine)

# The export table of the real DLL against the names in Cinevane.def.
add_test(NAME wine.exports
         COMMAND ${CMAKE_COMMAND} -DDLL=$<TARGET_FILE:Cinevane> -DDEF=${CINEVANE_DEF}
                 -DOBJDUMP=i686-w64-mingw32-objdump -P ${CMAKE_SOURCE_DIR}/tests/wine/check_exports.cmake)
set_tests_properties(wine.exports PROPERTIES LABELS wine)

# The player's, the editor's and the run-time object's programs write their clips with the host
# stand-in's media writer.
foreach(clip_writer player_wine editor_wine runtime_wine)
    if(TARGET ${clip_writer})
        target_sources(${clip_writer} PRIVATE ${CMAKE_SOURCE_DIR}/standin/host/media_writer.cpp)
        target_include_directories(${clip_writer} PRIVATE ${CMAKE_SOURCE_DIR}/standin/host)
    endif()
endforeach()

# The run-time object's program drives the real DLL with the host stand-in's run host.
if(TARGET runtime_wine)
    target_sources(runtime_wine PRIVATE ${CMAKE_SOURCE_DIR}/standin/host/run_host.cpp)
    target_include_directories(runtime_wine PRIVATE ${CMAKE_SOURCE_DIR}/standin/host)
endif()

# The grab's program drives the real DLL as the host does: the host stand-in's run header, the
# stand-in HOSTRT.dll next to it, a generated clip, and the image decoders for what it saves.
if(TARGET grab_wine)
    target_sources(grab_wine PRIVATE ${CMAKE_SOURCE_DIR}/standin/host/media_writer.cpp
                                     ${CMAKE_SOURCE_DIR}/tests/support/image_files.cpp
                                     ${CMAKE_SOURCE_DIR}/standin/host/run_host.cpp)
    target_include_directories(grab_wine PRIVATE ${CMAKE_SOURCE_DIR}/standin/host)
    target_include_directories(grab_wine SYSTEM PRIVATE ${CINEVANE_STB_INCLUDE_DIR})
    add_dependencies(grab_wine HOSTRT)
endif()

# The end-to-end programs through the host program's session code.
include(${CMAKE_CURRENT_LIST_DIR}/e2e.cmake)

# The help file's program opens the help file the native build compiled (scripts/test builds the
# native preset first) through the host program's help call.
if(TARGET help_wine)
    get_filename_component(CINEVANE_BUILT_HELP_FILE ${CMAKE_BINARY_DIR}/../native/Help/Cinevane.chm
                           ABSOLUTE)
    string(REPLACE "/" "\\\\" CINEVANE_BUILT_HELP_FILE "Z:${CINEVANE_BUILT_HELP_FILE}")
    target_sources(help_wine PRIVATE ${CMAKE_SOURCE_DIR}/standin/host/help_viewer.cpp
                                     ${CMAKE_SOURCE_DIR}/standin/host/host_text.cpp)
    target_include_directories(help_wine PRIVATE ${CMAKE_SOURCE_DIR}/standin/host)
    target_compile_definitions(help_wine PRIVATE
                               CINEVANE_BUILT_HELP_FILE="${CINEVANE_BUILT_HELP_FILE}")
    target_link_libraries(help_wine PRIVATE shell32)
endif()
