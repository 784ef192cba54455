# The uninstaller under wine64, for the win64 configuration: a 64-bit build of uninstall.exe
# (for these tests only; the one that ships is the win32 pack's, which wine64 cannot run), the
# helper that answers its message boxes, and the scenario of tests/wine_uninstall, which
# installs through the twin's wizard with the end-to-end driver (cmake/wine_e2e.cmake).
include(${PROJECT_SOURCE_DIR}/pack/pack_program.cmake)
tevorlyn_uninstaller(uninstall_wine64)
set_target_properties(uninstall_wine64 PROPERTIES
  RUNTIME_OUTPUT_DIRECTORY "$<1:${CMAKE_BINARY_DIR}/uninstall64>")

add_executable(wine_box_answer ${PROJECT_SOURCE_DIR}/tests/wine_uninstall/box_answer.cpp)
target_compile_definitions(wine_box_answer PRIVATE UNICODE _UNICODE)
target_compile_options(wine_box_answer PRIVATE ${TEVORLYN_WARNINGS})
target_link_options(wine_box_answer PRIVATE -static)

# uninstall.sh DRIVER INSTALLER UNINSTALLER ANSWER WORK: works in its own copy of
# build/wineprefix, so it runs while no other test uses that prefix.
add_test(NAME wine_uninstall
         COMMAND bash ${PROJECT_SOURCE_DIR}/tests/wine_uninstall/uninstall.sh
                 $<TARGET_FILE:wine_driver> $<TARGET_FILE:TevorlynSetup> $<TARGET_FILE:uninstall_wine64>
                 $<TARGET_FILE:wine_box_answer> ${CMAKE_BINARY_DIR}/e2e)
set_tests_properties(wine_uninstall PROPERTIES TIMEOUT 480 RESOURCE_LOCK wineprefix)
