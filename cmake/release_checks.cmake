# The resources of the built installer checked from outside (dialog templates control by
# control, icon, manifest, version resource), and the committed icon against the pixel map
# that draws it. Needs Python3 and the TevorlynSetup target.
add_test(NAME release_resources
         COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/tests/release/check_resources.py
                 $<TARGET_FILE:TevorlynSetup> ${PROJECT_SOURCE_DIR}/resources/app.ico)
add_test(NAME resources_icon_drawn
         COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/resources/make_icon.py
                 --check ${PROJECT_SOURCE_DIR}/resources/app.ico)
