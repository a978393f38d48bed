# The product: Cinevane.dll, plus the Windows programs of the wine test tier.
enable_language(RC)

add_library(Cinevane SHARED ${CINEVANE_MODULE_SOURCES} ${CINEVANE_RC} ${CINEVANE_DEF})
set_target_properties(Cinevane PROPERTIES PREFIX "" OUTPUT_NAME Cinevane)
target_include_directories(Cinevane PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_compile_definitions(Cinevane PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN)
# --enable-stdcall-fixup: the .def names resolve to their Name@N symbols without a warning each.
target_link_options(Cinevane PRIVATE -static-libgcc -static-libstdc++ -Wl,--kill-at
                    -Wl,--enable-stdcall-fixup)
target_link_libraries(Cinevane PRIVATE strmiids ole32 oleaut32 uuid comdlg32 gdi32 user32)

# Windows-side programs (host stand-in, wine tests) register themselves from their folders.
file(GLOB CINEVANE_WINDOWS_PARTS CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/standin/host/windows.cmake
     ${CMAKE_SOURCE_DIR}/tests/wine/windows.cmake)
foreach(part ${CINEVANE_WINDOWS_PARTS})
    include(${part})
endforeach()
