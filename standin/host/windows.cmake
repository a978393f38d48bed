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
