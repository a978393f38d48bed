# The stand-in host program on the native build (included by cmake/native-build.cmake): the
# module library linked in, its entry points called directly, the stand-ins as the platform.
# It needs the simulated DirectShow of the platform stand-in (the module builds graphs).
if(EXISTS ${CMAKE_SOURCE_DIR}/standin/platform/src/dshow)
    add_executable(cinevane-host ${CMAKE_SOURCE_DIR}/standin/host/cinevane_host_main.cpp)
    target_link_libraries(cinevane-host PRIVATE cinevane_host_standin)
endif()
