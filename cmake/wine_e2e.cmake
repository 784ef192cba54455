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
foreach(scenario wizard_pages wizard_close install_all)
  add_test(NAME wine_${scenario}
           COMMAND bash ${PROJECT_SOURCE_DIR}/tests/wine/${scenario}.sh
                   $<TARGET_FILE:wine_driver> $<TARGET_FILE:TevorlynSetup>
                   ${TEVORLYN_PAYLOAD_DIR}/image.bin ${e2e_work})
  set_tests_properties(wine_${scenario} PROPERTIES TIMEOUT 300 RESOURCE_LOCK wineprefix)
endforeach()
