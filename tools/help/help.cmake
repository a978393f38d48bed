# The author's help file (included by cmake/native-build.cmake). A generator linked with the
# module library asks the module for its events, property rows and setup dialog through its entry
# points and writes the pages with the explanations of help/; chmcmd (Debian's fp-utils-3.2.2)
# compiles them into Help/Cinevane.chm, the path the module names to the host.
find_program(CINEVANE_CHMCMD NAMES chmcmd)
if(NOT CINEVANE_CHMCMD)
    message(FATAL_ERROR "chmcmd is missing: scripts/install-deps installs it (fp-utils-3.2.2)")
endif()

set(CINEVANE_HELP_NOTES ${CMAKE_SOURCE_DIR}/help)
set(CINEVANE_HELP_PAGES ${CMAKE_BINARY_DIR}/help-pages)
set(CINEVANE_HELP_FILE Help/Cinevane.chm)
set(CINEVANE_HELP_CHM ${CMAKE_BINARY_DIR}/${CINEVANE_HELP_FILE})

set(CINEVANE_HELPGEN_DIR ${CMAKE_SOURCE_DIR}/tools/help)
add_library(cinevane_helpgen_core STATIC
    ${CINEVANE_HELPGEN_DIR}/help_model.cpp
    ${CINEVANE_HELPGEN_DIR}/help_notes.cpp
    ${CINEVANE_HELPGEN_DIR}/help_site.cpp
    ${CINEVANE_HELPGEN_DIR}/catalogue_reader.cpp)
target_include_directories(cinevane_helpgen_core PUBLIC ${CINEVANE_HELPGEN_DIR})
target_link_libraries(cinevane_helpgen_core PUBLIC cinevane_host_standin)

add_executable(cinevane_helpgen ${CINEVANE_HELPGEN_DIR}/helpgen_main.cpp)
target_link_libraries(cinevane_helpgen PRIVATE cinevane_helpgen_core)

file(GLOB CINEVANE_HELP_NOTE_FILES CONFIGURE_DEPENDS ${CINEVANE_HELP_NOTES}/*)
add_custom_command(
    OUTPUT ${CINEVANE_HELP_PAGES}/Cinevane.hhp
    COMMAND $<TARGET_FILE:cinevane_helpgen> ${CINEVANE_HELP_NOTES} ${CINEVANE_HELP_PAGES} ${CINEVANE_HELP_FILE}
    DEPENDS cinevane_helpgen ${CINEVANE_HELP_NOTE_FILES}
    COMMENT "Writing the help pages from the module and help/")
add_custom_command(
    OUTPUT ${CINEVANE_HELP_CHM}
    COMMAND ${CMAKE_COMMAND} -E remove -f Cinevane.chm
    COMMAND ${CINEVANE_CHMCMD} --verbosity 0 Cinevane.hhp
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/Help
    COMMAND ${CMAKE_COMMAND} -E copy Cinevane.chm ${CINEVANE_HELP_CHM}
    WORKING_DIRECTORY ${CINEVANE_HELP_PAGES}
    DEPENDS ${CINEVANE_HELP_PAGES}/Cinevane.hhp
    COMMENT "Compiling ${CINEVANE_HELP_FILE}")
add_custom_target(cinevane_help ALL DEPENDS ${CINEVANE_HELP_CHM})

# The help tests read the compiled file and drive the generator's parts.
add_dependencies(cinevane_unit_tests cinevane_help)
target_compile_definitions(cinevane_unit_tests PRIVATE CINEVANE_HELP_CHM="${CINEVANE_HELP_CHM}")
target_link_libraries(cinevane_unit_tests PRIVATE cinevane_helpgen_core)
