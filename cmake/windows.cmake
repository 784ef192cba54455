# The Windows builds: win32 is the release (it also builds the pack and makes the product
# payload), win64 is the twin that runs under wine64 here and carries the same payload.
set(TEVORLYN_DEPS_DIR ${PROJECT_SOURCE_DIR}/build/deps/${TOOLCHAIN_PREFIX} CACHE PATH
    "prefix holding the static MinGW liblzma made by scripts/setup.sh")
if(NOT EXISTS ${TEVORLYN_DEPS_DIR}/lib/liblzma.a)
  message(FATAL_ERROR "No MinGW liblzma in ${TEVORLYN_DEPS_DIR}: run scripts/setup.sh first")
endif()
add_library(mingw_lzma STATIC IMPORTED)
set_target_properties(mingw_lzma PROPERTIES
  IMPORTED_LOCATION ${TEVORLYN_DEPS_DIR}/lib/liblzma.a
  INTERFACE_INCLUDE_DIRECTORIES ${TEVORLYN_DEPS_DIR}/include
  INTERFACE_COMPILE_DEFINITIONS LZMA_API_STATIC)

# Reproducible output: no time stamps, no build paths.
set(TEVORLYN_REPRO_COMPILE -ffile-prefix-map=${PROJECT_SOURCE_DIR}=. -ffile-prefix-map=${CMAKE_BINARY_DIR}=build)
set(TEVORLYN_REPRO_LINK -Wl,--no-insert-timestamp)

add_library(setup_core STATIC ${TEVORLYN_CORE_SOURCES} payload/lzma_decode.cpp)
target_include_directories(setup_core PUBLIC ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/resources)
target_compile_options(setup_core PRIVATE ${TEVORLYN_WARNINGS} ${TEVORLYN_PRODUCT_FLAGS} -Os ${TEVORLYN_REPRO_COMPILE})
target_compile_definitions(setup_core PUBLIC UNICODE _UNICODE)
target_link_libraries(setup_core PUBLIC mingw_lzma comctl32 ole32 shell32 advapi32 gdi32 user32 uuid)

if(TEVORLYN_BUILD STREQUAL "win32")
  set(PAYLOAD_BUILDER "" CACHE FILEPATH "host payload-builder from the native build")
  if(NOT EXISTS "${PAYLOAD_BUILDER}")
    message(FATAL_ERROR "PAYLOAD_BUILDER must name the host payload-builder (build the native configuration first)")
  endif()
  add_subdirectory(pack)
  # Rows 1..8 are stamped with the pack's release time, 2026-10-01 00:00 UTC.
  set(PACK_TIME 134352864000000000)
  set(entries)
  set(row 0)
  foreach(file IN LISTS TEVORLYN_PACK_FILES)
    if(row EQUAL 0 OR row EQUAL 9)
      list(APPEND entries ${file})
    else()
      list(APPEND entries ${file}@${PACK_TIME})
    endif()
    math(EXPR row "${row} + 1")
  endforeach()
  set(TEVORLYN_PAYLOAD_DIR ${CMAKE_BINARY_DIR}/payload)
  add_custom_command(
    OUTPUT ${TEVORLYN_PAYLOAD_DIR}/payload.bin ${TEVORLYN_PAYLOAD_DIR}/numbers.cpp ${TEVORLYN_PAYLOAD_DIR}/image.bin
    COMMAND ${CMAKE_COMMAND} -E make_directory ${TEVORLYN_PAYLOAD_DIR}
    COMMAND ${PAYLOAD_BUILDER} --resource ${TEVORLYN_PAYLOAD_DIR}/payload.bin
            --numbers ${TEVORLYN_PAYLOAD_DIR}/numbers.cpp --image ${TEVORLYN_PAYLOAD_DIR}/image.bin ${entries}
    DEPENDS ${PAYLOAD_BUILDER} ${TEVORLYN_PACK_TARGETS} ${TEVORLYN_PACK_FILES}
    COMMENT "product payload"
    VERBATIM)
else()
  set(TEVORLYN_PAYLOAD_DIR "" CACHE PATH "payload folder of the win32 build")
  if(NOT EXISTS "${TEVORLYN_PAYLOAD_DIR}/payload.bin")
    message(FATAL_ERROR "TEVORLYN_PAYLOAD_DIR must hold the win32 build's payload (build win32 first)")
  endif()
endif()

tevorlyn_compile_res(${CMAKE_BINARY_DIR}/setup_res.o coff ${PROJECT_SOURCE_DIR}/resources/setup.rc
                     ${TEVORLYN_PAYLOAD_DIR}/payload.bin)
add_executable(TevorlynSetup WIN32 ${TEVORLYN_ENTRY_SOURCES} ${TEVORLYN_PAYLOAD_DIR}/numbers.cpp
               ${CMAKE_BINARY_DIR}/setup_res.o)
target_compile_options(TevorlynSetup PRIVATE ${TEVORLYN_WARNINGS} ${TEVORLYN_PRODUCT_FLAGS} -Os ${TEVORLYN_REPRO_COMPILE})
target_link_libraries(TevorlynSetup PRIVATE setup_core)
target_link_options(TevorlynSetup PRIVATE -static -s ${TEVORLYN_REPRO_LINK})
set_target_properties(TevorlynSetup PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

# The built executable checked from outside: PE kind, subsystem, and the payload inside.
enable_testing()
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(twin_flag "")
if(TEVORLYN_BUILD STREQUAL "win64")
  set(twin_flag --twin)
endif()
add_test(NAME release_pe
         COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/tests/release/check_release.py ${twin_flag}
                 $<TARGET_FILE:TevorlynSetup> ${TEVORLYN_PAYLOAD_DIR}/payload.bin)

# Dialog templates, icon, manifest and version resource read back from the executable.
include(cmake/release_checks.cmake)

if(TEVORLYN_BUILD STREQUAL "win64")
  include(cmake/wine_tests.cmake)
  include(cmake/wine_e2e.cmake)
endif()
