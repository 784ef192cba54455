# Settings shared by the three builds: warnings, the product's source list.
set(TEVORLYN_WARNINGS -Wall -Wextra -Werror)

# The product without its entry point, so tests can drive the same objects.
set(TEVORLYN_CORE_SOURCES
  shell/setup_state.cpp
  shell/message_loop.cpp
  shell/prepare_setup.cpp
  shell/report_init_failure.cpp
  shell/is_user_admin.cpp
  shell/main_dialog_proc.cpp
  shell/registry_path.cpp
  shell/append_slash.cpp
  shell/dpi_inset.cpp
  shell/dll_search.cpp
  wizard/build_wizard.cpp
  wizard/centre_window.cpp
  wizard/show_page.cpp
  wizard/page_dialog_proc.cpp
  wizard/details.cpp
  wizard/space_info.cpp
  wizard/format_unsigned.cpp
  wizard/browse.cpp
  install/run_install_step.cpp
  install/directory_chain.cpp
  install/shortcut.cpp
  install/registry_value.cpp
  install/registration.cpp
  install/destination_fits.cpp
  payload/checksum.cpp
  payload/output_buffer.cpp
  payload/load_payload.cpp
  payload/write_component_file.cpp
)
# WinMain: linked straight into the executable (the C runtime's start-up looks for it after
# the libraries); the native build puts it in the core, where tests call it.
set(TEVORLYN_ENTRY_SOURCES shell/win_main.cpp)

# Flags for product code: no exceptions, no RTTI.
set(TEVORLYN_PRODUCT_FLAGS -fno-exceptions -fno-rtti)

# windres: the Windows builds use their target's; the native build compiles the same resource
# script to a .res with any of them (the format does not depend on the target).
if(DEFINED TOOLCHAIN_PREFIX)
  find_program(TEVORLYN_WINDRES NAMES ${TOOLCHAIN_PREFIX}-windres REQUIRED)
else()
  find_program(TEVORLYN_WINDRES NAMES x86_64-w64-mingw32-windres i686-w64-mingw32-windres REQUIRED)
endif()

# tevorlyn_compile_res(OUT FORMAT rcfile payload_bin [DEPENDS ...]): the resource script with the
# given payload as RCDATA 102, as a .res (FORMAT res, for winsim) or an object (FORMAT coff).
function(tevorlyn_compile_res out format rcfile payload)
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${TEVORLYN_WINDRES} -O ${format}
            -I ${PROJECT_SOURCE_DIR}/resources -I ${PROJECT_SOURCE_DIR}
            "-DTEVORLYN_PAYLOAD_FILE=\\\"${payload}\\\""
            -i ${rcfile} -o ${out}
    DEPENDS ${rcfile} ${payload} ${PROJECT_SOURCE_DIR}/resources/resource_ids.h
            ${PROJECT_SOURCE_DIR}/resources/app.ico ${PROJECT_SOURCE_DIR}/resources/setup.manifest ${ARGN}
    COMMENT "windres ${out}"
    VERBATIM)
endfunction()
