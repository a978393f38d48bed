# End-to-end checks (label wine): programs beside cinevane-host.exe that drive the real
# Cinevane.dll through the host stand-in's session code, on clips they generate.
file(GLOB CINEVANE_E2E_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/wine/e2e_*.cpp)
foreach(e2e_source ${CINEVANE_E2E_TESTS})
    get_filename_component(e2e_name ${e2e_source} NAME_WE)
    add_executable(${e2e_name} ${e2e_source})
    target_include_directories(${e2e_name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
    target_link_libraries(${e2e_name} PRIVATE cinevane_host_session strmiids ole32 oleaut32 uuid)
    target_link_options(${e2e_name} PRIVATE -static-libgcc -static-libstdc++)
    add_dependencies(${e2e_name} Cinevane HOSTRT)
    add_test(NAME wine.${e2e_name}
             COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-env wine $<TARGET_FILE:${e2e_name}>
             WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
    set_tests_properties(wine.${e2e_name} PROPERTIES LABELS wine TIMEOUT ${CINEVANE_WINE_TEST_TIMEOUT}
                         FAIL_REGULAR_EXPRESSION "FAILED")
endforeach()
