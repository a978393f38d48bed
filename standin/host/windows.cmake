# Windows programs and libraries of the host stand-in (included by cmake/windows-build.cmake).

# HOSTRT.dll: the host run-time's services (images, file existence), exported by ordinal, built
# from the same sources the native stand-in links.
set(CINEVANE_HOSTRT_SOURCES
    ${CMAKE_SOURCE_DIR}/standin/host/surface.cpp
    ${CMAKE_SOURCE_DIR}/standin/host/dib_codec.cpp
    ${CMAKE_SOURCE_DIR}/standin/host/image_sink.cpp
    ${CMAKE_SOURCE_DIR}/standin/host/bmp_writer.cpp
    ${CMAKE_SOURCE_DIR}/standin/host/png_writer.cpp
    ${CMAKE_SOURCE_DIR}/standin/host/image_filters.cpp
    ${CMAKE_SOURCE_DIR}/standin/host/host_runtime.cpp
    ${CMAKE_SOURCE_DIR}/standin/host/hostrt_exports.cpp)
add_library(HOSTRT SHARED ${CINEVANE_HOSTRT_SOURCES} ${CMAKE_SOURCE_DIR}/standin/host/HOSTRT.def)
set_target_properties(HOSTRT PROPERTIES PREFIX "" OUTPUT_NAME HOSTRT)
target_include_directories(HOSTRT PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/standin/host)
target_include_directories(HOSTRT SYSTEM PRIVATE ${CINEVANE_STB_INCLUDE_DIR})
target_compile_definitions(HOSTRT PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN)
target_link_options(HOSTRT PRIVATE -static-libgcc -static-libstdc++ -Wl,--kill-at)

# Checks the DLL's ordinals and its files under Wine.
add_executable(hostrt_check ${CMAKE_SOURCE_DIR}/standin/host/hostrt_check_main.cpp)
target_include_directories(hostrt_check PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_compile_definitions(hostrt_check PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN)
target_link_options(hostrt_check PRIVATE -static-libgcc -static-libstdc++)
add_dependencies(hostrt_check HOSTRT)
add_test(NAME wine.hostrt_check
         COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-env wine $<TARGET_FILE:hostrt_check>
         WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
set_tests_properties(wine.hostrt_check PROPERTIES LABELS wine TIMEOUT 300
                     FAIL_REGULAR_EXPRESSION "FAILED")

# cinevane-host.exe: the stand-in authoring host program. It loads Cinevane.dll with
# LoadLibraryW and HOSTRT.dll for the application's image filters. The session code is a
# library of its own so the end-to-end checks drive the real DLL through it too.
add_library(cinevane_host_session STATIC
    ${CMAKE_SOURCE_DIR}/standin/host/host_text.cpp
    ${CMAKE_SOURCE_DIR}/standin/host/demo_clip.cpp
    ${CMAKE_SOURCE_DIR}/standin/host/media_writer.cpp
    ${CMAKE_SOURCE_DIR}/standin/host/host_script.cpp
    ${CMAKE_SOURCE_DIR}/standin/host/host_text_value.cpp
    ${CMAKE_SOURCE_DIR}/standin/host/module_api.cpp
    ${CMAKE_SOURCE_DIR}/standin/host/host_session.cpp
    ${CMAKE_SOURCE_DIR}/standin/host/host_screenshot.cpp
    ${CMAKE_SOURCE_DIR}/standin/host/process_figures.cpp
    ${CMAKE_SOURCE_DIR}/standin/host/run_host.cpp
    ${CMAKE_SOURCE_DIR}/standin/host/edit_host.cpp
    ${CMAKE_SOURCE_DIR}/standin/host/help_viewer.cpp
    ${CMAKE_SOURCE_DIR}/standin/host/surface.cpp
    ${CMAKE_SOURCE_DIR}/standin/host/image_sink.cpp
    ${CMAKE_SOURCE_DIR}/standin/host/png_writer.cpp)
target_include_directories(cinevane_host_session PUBLIC ${CMAKE_SOURCE_DIR}/src
                           ${CMAKE_SOURCE_DIR}/standin/host)
target_include_directories(cinevane_host_session SYSTEM PRIVATE ${CINEVANE_STB_INCLUDE_DIR})
target_compile_definitions(cinevane_host_session PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN)
target_link_libraries(cinevane_host_session PUBLIC psapi shell32 gdi32 user32)

add_executable(cinevane-host ${CMAKE_SOURCE_DIR}/standin/host/cinevane_host_main.cpp)
target_link_libraries(cinevane-host PRIVATE cinevane_host_session)
target_link_options(cinevane-host PRIVATE -static-libgcc -static-libstdc++)
add_dependencies(cinevane-host Cinevane HOSTRT)
