# How the pack's programs are made, shared by the pack (win32, what ships) and the win64
# configuration (a 64-bit uninstall.exe that wine64 can run in the tests).

# Small static GUI programs whose bytes depend only on the sources: no PE timestamp,
# no symbols, no build paths.
function(tevorlyn_pack_program target output_name)
  add_executable(${target} WIN32 ${ARGN})
  set_target_properties(${target} PROPERTIES
    OUTPUT_NAME ${output_name}
    # $<1:...> keeps multi-config generators from adding a per-configuration folder.
    RUNTIME_OUTPUT_DIRECTORY "$<1:${CMAKE_CURRENT_BINARY_DIR}>")
  target_compile_options(${target} PRIVATE
    -Os -fno-exceptions -fno-rtti -municode -Wall -Wextra -Werror
    -ffile-prefix-map=${CMAKE_SOURCE_DIR}=. -ffile-prefix-map=${CMAKE_BINARY_DIR}=.)
  target_link_options(${target} PRIVATE
    -static -mwindows -municode -s -Wl,--no-insert-timestamp)
  target_link_libraries(${target} PRIVATE shell32)
endfunction()

# The uninstaller: uninstall/ without its entry point (the native tests build the same list
# against winsim), the entry point, and its resources.
set(TEVORLYN_UNINSTALL_SOURCES
  ${PROJECT_SOURCE_DIR}/uninstall/run_uninstaller.cpp
  ${PROJECT_SOURCE_DIR}/shell/is_user_admin.cpp
  ${PROJECT_SOURCE_DIR}/uninstall/own_location.cpp
  ${PROJECT_SOURCE_DIR}/uninstall/removal_plan.cpp
  ${PROJECT_SOURCE_DIR}/uninstall/remove_program_files.cpp
  ${PROJECT_SOURCE_DIR}/uninstall/remove_shortcuts.cpp
  ${PROJECT_SOURCE_DIR}/uninstall/remove_registry_entries.cpp
  ${PROJECT_SOURCE_DIR}/uninstall/delete_key_tree.cpp
  ${PROJECT_SOURCE_DIR}/uninstall/schedule_self_removal.cpp
  ${PROJECT_SOURCE_DIR}/uninstall/removal_report.cpp)

# tevorlyn_uninstaller(target): uninstall.exe in the current binary folder.
function(tevorlyn_uninstaller target)
  set(res ${CMAKE_CURRENT_BINARY_DIR}/${target}_res.o)
  add_custom_command(
    OUTPUT ${res}
    COMMAND ${TEVORLYN_WINDRES} -O coff -I ${PROJECT_SOURCE_DIR}/pack -I ${PROJECT_SOURCE_DIR}/resources
            -i ${PROJECT_SOURCE_DIR}/pack/uninstall.rc -o ${res}
    DEPENDS ${PROJECT_SOURCE_DIR}/pack/uninstall.rc ${PROJECT_SOURCE_DIR}/pack/uninstall.manifest
            ${PROJECT_SOURCE_DIR}/resources/app.ico
    COMMENT "windres ${res}"
    VERBATIM)
  tevorlyn_pack_program(${target} uninstall ${TEVORLYN_UNINSTALL_SOURCES}
                        ${PROJECT_SOURCE_DIR}/uninstall/win_main.cpp ${res})
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${target} PRIVATE advapi32 user32)
endfunction()
