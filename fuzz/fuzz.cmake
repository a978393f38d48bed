# The fuzz harnesses (fuzz/harness/): one per parser of bytes the module does not control. The
# unit tests replay the checked-in corpus (fuzz/corpus/<target>/) through them on every run; the
# fuzz preset (clang, CINEVANE_FUZZ) also builds one libFuzzer program per target, fuzz_<target>,
# all of them with the target fuzz_targets. scripts/fuzz runs them.
file(GLOB CINEVANE_FUZZ_HARNESSES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/harness/*.cpp)
# The media reader's harness reads the platform stand-in's own parser headers.
set_source_files_properties(${CMAKE_SOURCE_DIR}/fuzz/harness/media_reader.cpp PROPERTIES
    INCLUDE_DIRECTORIES ${CMAKE_SOURCE_DIR}/standin/platform/src)

target_sources(cinevane_unit_tests PRIVATE ${CINEVANE_FUZZ_HARNESSES})
target_include_directories(cinevane_unit_tests PRIVATE ${CMAKE_SOURCE_DIR}/fuzz)
target_compile_definitions(cinevane_unit_tests PRIVATE
    CINEVANE_FUZZ_CORPUS="${CMAKE_SOURCE_DIR}/fuzz/corpus")

option(CINEVANE_FUZZ "Build the libFuzzer programs in fuzz/ (needs clang)" OFF)
if(CINEVANE_FUZZ)
    add_library(cinevane_fuzz_harness STATIC ${CINEVANE_FUZZ_HARNESSES} ${CINEVANE_TEST_SUPPORT})
    target_include_directories(cinevane_fuzz_harness PUBLIC ${CMAKE_SOURCE_DIR}/fuzz
                                                             ${CMAKE_SOURCE_DIR}/tests)
    target_link_libraries(cinevane_fuzz_harness PUBLIC cinevane_host_standin)
    add_custom_target(fuzz_targets)
    foreach(target settings_upgrade grab catalogue dib_loader media_reader)
        add_executable(fuzz_${target} ${CMAKE_SOURCE_DIR}/fuzz/fuzz_main.cpp)
        target_compile_definitions(fuzz_${target} PRIVATE CINEVANE_FUZZ_TARGET="${target}")
        target_link_libraries(fuzz_${target} PRIVATE cinevane_fuzz_harness)
        target_link_options(fuzz_${target} PRIVATE -fsanitize=fuzzer)
        add_dependencies(fuzz_targets fuzz_${target})
    endforeach()
endif()
