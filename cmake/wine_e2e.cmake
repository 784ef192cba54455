# End-to-end tests under wine64: the driver program, which works the installer's wizard
# through standard window messages, and the scenario scripts of tests/wine, each run on its own
# X display and in its own copy of the project's Wine prefix.
add_executable(wine_driver ${PROJECT_SOURCE_DIR}/tests/wine/driver.cpp)
target_compile_definitions(wine_driver PRIVATE UNICODE _UNICODE)
target_compile_options(wine_driver PRIVATE ${TEVORLYN_WARNINGS} -municode)
target_link_options(wine_driver PRIVATE -municode -static)

# Each scenario: bash SCRIPT DRIVER INSTALLER IMAGE WORK. A failed one leaves a screenshot
# WORK/SCENARIO-failure.png. Each starts from a copy of build/wineprefix, so under ctest -j
# they hold the lock "wineprefix" (which any test running Wine in that prefix should hold too).
set(e2e_work ${CMAKE_BINARY_DIR}/e2e)
foreach(scenario wizard_pages wizard_close install_all second_run subset_no_shortcuts)
  add_test(NAME wine_${scenario}
           COMMAND bash ${PROJECT_SOURCE_DIR}/tests/wine/${scenario}.sh
                   $<TARGET_FILE:wine_driver> $<TARGET_FILE:TevorlynSetup>
                   ${TEVORLYN_PAYLOAD_DIR}/image.bin ${e2e_work})
  set_tests_properties(wine_${scenario} PROPERTIES TIMEOUT 300 RESOURCE_LOCK wineprefix)
endforeach()

# Parity of winsim with Wine: the same scenario under Wine and, by parity_native of the native
# build, under winsim, compared line by line (tests/parity/wine_parity.sh). Both sides need the
# same payload, and the native build, made first, has only its fixtures: so the twin is built
# once more with the release_sizes fixture payload that parity_native embeds too (its numbers
# and the resource object made for payload_wine_tests in wine_tests.cmake).
set(parity_fixture ${TEVORLYN_FIXTURE_DIR}/release_sizes)
add_executable(TevorlynSetupFixture WIN32 ${TEVORLYN_ENTRY_SOURCES} ${parity_fixture}/numbers.cpp
               ${CMAKE_BINARY_DIR}/fixture_res.o)
# Compiled and linked as TevorlynSetup is (cmake/windows.cmake), so it is the same program.
target_compile_options(TevorlynSetupFixture PRIVATE ${TEVORLYN_WINDOWS_COMPILE})
target_link_libraries(TevorlynSetupFixture PRIVATE setup_core)
target_link_options(TevorlynSetupFixture PRIVATE -static ${TEVORLYN_SIZE_LINK} ${TEVORLYN_REPRO_LINK}
                    ${TEVORLYN_HARDEN_LINK})
set_target_properties(TevorlynSetupFixture PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
# parity_native sits beside the fixtures in the native build tree.
get_filename_component(parity_native ${TEVORLYN_FIXTURE_DIR}/../parity/parity_native ABSOLUTE)
add_test(NAME wine_parity
         COMMAND bash ${PROJECT_SOURCE_DIR}/tests/parity/wine_parity.sh
                 $<TARGET_FILE:wine_driver> $<TARGET_FILE:TevorlynSetupFixture>
                 ${parity_fixture}/image.bin ${e2e_work} ${parity_native})
set_tests_properties(wine_parity PROPERTIES TIMEOUT 300 RESOURCE_LOCK wineprefix)
