# The native build: product code against winsim/ on Linux, the host tools, and the tests,
# all under AddressSanitizer and UndefinedBehaviorSanitizer.
enable_testing()
set(BUILD_TESTING ON)

find_package(LibLZMA REQUIRED)

# WCHAR is 16-bit on Windows: make wchar_t 16-bit here too, for product, winsim and tests.
add_compile_options(-fshort-wchar)
set(TEVORLYN_SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_compile_options(${TEVORLYN_SANITIZE} -g)
add_link_options(${TEVORLYN_SANITIZE})

# GoogleTest from Debian's source copy, built with the same wchar_t; its wide-string
# helpers would call into the C++ library's 32-bit wchar_t code, so they are left out.
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
target_compile_definitions(gtest PUBLIC GTEST_HAS_STD_WSTRING=0)

file(GLOB WINSIM_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/winsim/src/*.cpp)
add_library(winsim STATIC ${WINSIM_SOURCES})
target_include_directories(winsim PUBLIC ${PROJECT_SOURCE_DIR}/winsim/include)
target_compile_options(winsim PRIVATE ${TEVORLYN_WARNINGS})

add_library(setup_core STATIC ${TEVORLYN_CORE_SOURCES} ${TEVORLYN_ENTRY_SOURCES} payload/lzma_decode.cpp)
target_include_directories(setup_core PUBLIC ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/resources)
target_compile_options(setup_core PRIVATE ${TEVORLYN_WARNINGS} ${TEVORLYN_PRODUCT_FLAGS})
target_link_libraries(setup_core PUBLIC winsim LibLZMA::LibLZMA)

add_subdirectory(tools)

# tevorlyn_embed_res(target res): links the .res into the test executable, where winsim
# finds its resources.
function(tevorlyn_embed_res target res)
  set(src ${CMAKE_CURRENT_BINARY_DIR}/${target}_res.cpp)
  file(WRITE ${src}.in
    "// Generated: embeds ${res} for winsim.\n"
    "__asm__(\".section .rodata\\n.balign 16\\n.globl winsim_res_begin\\nwinsim_res_begin:\\n\"\n"
    "        \".incbin \\\"${res}\\\"\\n.globl winsim_res_end\\nwinsim_res_end:\\n.previous\\n\");\n")
  configure_file(${src}.in ${src} COPYONLY)
  set_source_files_properties(${src} PROPERTIES OBJECT_DEPENDS ${res})
  target_sources(${target} PRIVATE ${src})
endfunction()

add_subdirectory(tests)
