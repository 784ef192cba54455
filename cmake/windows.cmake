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

# Reproducible output: no time stamps, no build paths. windres writes 0 as the resource
# directories' time stamp, and -s leaves no debug directory, so the PE header's is the only one.
set(TEVORLYN_REPRO_COMPILE -ffile-prefix-map=${PROJECT_SOURCE_DIR}=. -ffile-prefix-map=${CMAKE_BINARY_DIR}=build)
set(TEVORLYN_REPRO_LINK -Wl,--no-insert-timestamp)

# Size: each function and datum in a section of its own, so the linker keeps only what is
# reached (libuuid alone would bring 40 KiB of GUIDs); no unwind tables, as nothing throws.
set(TEVORLYN_SIZE_COMPILE -ffunction-sections -fdata-sections -fno-asynchronous-unwind-tables
    -fno-unwind-tables -fno-threadsafe-statics -fno-ident)
set(TEVORLYN_SIZE_LINK -s -Wl,--gc-sections)

# Hardening: ASLR and DEP. ASLR needs base relocations, which ld drops from executables
# unless told to keep them; the 64-bit twin also takes the high-entropy address space.
# Subsystem and OS version 6.0: Vista, the oldest system the manifest declares.
set(TEVORLYN_HARDEN_LINK -Wl,--dynamicbase -Wl,--nxcompat
    -Wl,--major-subsystem-version,6 -Wl,--minor-subsystem-version,0
    -Wl,--major-os-version,6 -Wl,--minor-os-version,0)
if(TEVORLYN_BUILD STREQUAL "win32")
  list(APPEND TEVORLYN_HARDEN_LINK -Wl,--enable-reloc-section)
else()
  list(APPEND TEVORLYN_HARDEN_LINK -Wl,--high-entropy-va)
endif()
set(TEVORLYN_WINDOWS_COMPILE ${TEVORLYN_WARNINGS} ${TEVORLYN_PRODUCT_FLAGS} -Os ${TEVORLYN_REPRO_COMPILE}
    ${TEVORLYN_SIZE_COMPILE})

add_library(setup_core STATIC ${TEVORLYN_CORE_SOURCES} payload/lzma_decode.cpp)
target_include_directories(setup_core PUBLIC ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/resources)
target_compile_options(setup_core PRIVATE ${TEVORLYN_WINDOWS_COMPILE})
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
target_compile_options(TevorlynSetup PRIVATE ${TEVORLYN_WINDOWS_COMPILE})
target_link_libraries(TevorlynSetup PRIVATE setup_core)
target_link_options(TevorlynSetup PRIVATE -static ${TEVORLYN_SIZE_LINK} ${TEVORLYN_REPRO_LINK} ${TEVORLYN_HARDEN_LINK})
set_target_properties(TevorlynSetup PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
find_package(Python3 REQUIRED COMPONENTS Interpreter)

# Authenticode: given a certificate and its key (PEM) or a PKCS#12 bundle, the build signs the
# executable in place, so TevorlynSetup.exe is the file that ships either way; given neither,
# it stays unsigned. A password is read from $TEVORLYN_SIGN_PASSWORD when the build runs,
# never stored in the cache. See scripts/sign-release.sh.
set(TEVORLYN_SIGN_CERT "" CACHE FILEPATH "PEM code-signing certificate (and chain); empty: unsigned")
set(TEVORLYN_SIGN_KEY "" CACHE FILEPATH "PEM private key of TEVORLYN_SIGN_CERT")
set(TEVORLYN_SIGN_PKCS12 "" CACHE FILEPATH "PKCS#12 bundle instead of the two PEM files")
set(sign_args)
if(TEVORLYN_SIGN_PKCS12 AND NOT TEVORLYN_SIGN_CERT AND NOT TEVORLYN_SIGN_KEY)
  set(sign_args --pkcs12 ${TEVORLYN_SIGN_PKCS12})
elseif(TEVORLYN_SIGN_CERT AND TEVORLYN_SIGN_KEY AND NOT TEVORLYN_SIGN_PKCS12)
  set(sign_args --certs ${TEVORLYN_SIGN_CERT} --key ${TEVORLYN_SIGN_KEY})
elseif(TEVORLYN_SIGN_CERT OR TEVORLYN_SIGN_KEY OR TEVORLYN_SIGN_PKCS12)
  message(FATAL_ERROR "Signing needs TEVORLYN_SIGN_CERT with TEVORLYN_SIGN_KEY, or TEVORLYN_SIGN_PKCS12 alone")
endif()
if(sign_args)
  add_custom_command(TARGET TevorlynSetup POST_BUILD
    COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/sign-release.sh $<TARGET_FILE:TevorlynSetup> ${sign_args}
    VERBATIM)
endif()
# What the installer weighs, and what of that is its own code rather than the payload.
add_custom_command(TARGET TevorlynSetup POST_BUILD
  COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/tests/release/size_report.py $<TARGET_FILE:TevorlynSetup>
  VERBATIM)

# The built executable checked from outside: PE kind, subsystem and its version, ASLR and DEP,
# imports, no build paths, and the payload inside.
enable_testing()
set(release_flags --forbid ${PROJECT_SOURCE_DIR} --forbid ${CMAKE_BINARY_DIR})
if(TEVORLYN_BUILD STREQUAL "win64")
  list(APPEND release_flags --twin)
endif()
if(sign_args)
  list(APPEND release_flags --signed)
endif()
add_test(NAME release_pe
         COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/tests/release/check_release.py ${release_flags}
                 --image ${TEVORLYN_PAYLOAD_DIR}/image.bin
                 $<TARGET_FILE:TevorlynSetup> ${TEVORLYN_PAYLOAD_DIR}/payload.bin)

if(TEVORLYN_BUILD STREQUAL "win32")
  # Two clean builds of these sources in fresh folders are byte-identical (and match this
  # one when it is unsigned). Each is a whole win32 build, hence the long time limit.
  set(reference $<TARGET_FILE:TevorlynSetup>)
  if(sign_args)
    set(reference "")
  endif()
  add_test(NAME release_reproducible
           COMMAND bash ${PROJECT_SOURCE_DIR}/tests/release/reproducible.sh ${PROJECT_SOURCE_DIR}
                   ${CMAKE_TOOLCHAIN_FILE} ${PAYLOAD_BUILDER} ${TEVORLYN_DEPS_DIR} ${reference})
  set_tests_properties(release_reproducible PROPERTIES TIMEOUT 1800)
  # Authenticode with a throwaway certificate: signs, verifies, and the PE checks still hold.
  add_test(NAME release_signing
           COMMAND bash ${PROJECT_SOURCE_DIR}/tests/release/signing.sh $<TARGET_FILE:TevorlynSetup>
                   ${TEVORLYN_PAYLOAD_DIR}/payload.bin)
endif()

# Dialog templates, icon, manifest and version resource read back from the executable.
include(cmake/release_checks.cmake)

# The tests that run under wine64; the uninstaller's needs the driver from wine_e2e.
if(TEVORLYN_BUILD STREQUAL "win64")
  include(cmake/wine_tests.cmake)
  include(cmake/wine_e2e.cmake)
  include(cmake/wine_uninstall.cmake)
endif()
