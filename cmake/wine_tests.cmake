# The payload and file tests of tests/common, built for Windows and run under wine64 against
# the real platform, with the native build's fixture payload.
enable_testing()
set(TEVORLYN_FIXTURE_DIR "" CACHE PATH "fixtures folder of the native build")
set(fixture ${TEVORLYN_FIXTURE_DIR}/release_sizes)
if(NOT EXISTS ${fixture}/payload.bin)
  message(FATAL_ERROR "TEVORLYN_FIXTURE_DIR must hold the native build's fixtures (build native first)")
endif()

set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

tevorlyn_compile_res(${CMAKE_BINARY_DIR}/fixture_res.o coff ${PROJECT_SOURCE_DIR}/resources/setup.rc ${fixture}/payload.bin)
file(GLOB COMMON_TESTS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/common/*_test.cpp)
add_executable(payload_wine_tests ${COMMON_TESTS} ${PROJECT_SOURCE_DIR}/tests/common/test_support.cpp
               ${fixture}/numbers.cpp ${CMAKE_BINARY_DIR}/fixture_res.o)
target_include_directories(payload_wine_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests)
target_compile_options(payload_wine_tests PRIVATE ${TEVORLYN_WARNINGS})
# Wine sees the host's root as drive Z:.
target_compile_definitions(payload_wine_tests PRIVATE TEVORLYN_FIXTURE_IMAGE="Z:${fixture}/image.bin")
target_link_libraries(payload_wine_tests PRIVATE setup_core gtest gtest_main)
target_link_options(payload_wine_tests PRIVATE -static)
add_test(NAME payload_wine_tests COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-run.sh $<TARGET_FILE:payload_wine_tests>)
# The scenarios copy the shared prefix: keep them from running beside this one.
set_tests_properties(payload_wine_tests PROPERTIES RESOURCE_LOCK wineprefix)
