# The release archive, zorextss-<version>.zip: the DLL, its include file, the
# help file, the samples and the documents in one folder, text converted to
# Shift_JIS (CP932) with CRLF for HSP and Windows editors. Built with ALL so
# that every win32 build (and so the release check) has a current archive.
find_program(ZOR_ICONV iconv REQUIRED)
set(ZOR_RELEASE_DIR ${CMAKE_SOURCE_DIR}/build/release CACHE PATH "Where the release archive is written")
set(ZOR_RELEASE_NAME zorextss-${ZOR_VERSION})
set(ZOR_RELEASE_ZIP ${ZOR_RELEASE_DIR}/${ZOR_RELEASE_NAME}.zip)
# For scripts/build.sh, which reports the archive.
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/release-path.txt CONTENT "${ZOR_RELEASE_ZIP}\n")

file(GLOB zor_samples CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/samples/*.as)
set(zor_release_inputs ${CMAKE_SOURCE_DIR}/package/zorextss.hs ${CMAKE_SOURCE_DIR}/package/readme.txt
  ${CMAKE_SOURCE_DIR}/LICENSE ${CMAKE_SOURCE_DIR}/CHANGELOG.md ${zor_samples})
set(zor_extra_exe "")
set(zor_extra_target "")
if(TARGET zorext)
  set(zor_extra_exe $<TARGET_FILE:zorext>)
  set(zor_extra_target zorext)
endif()

add_custom_command(OUTPUT ${ZOR_RELEASE_ZIP}
  COMMAND ${CMAKE_COMMAND} -DVERSION=${ZOR_VERSION} -DSOURCE=${CMAKE_SOURCE_DIR} -DICONV=${ZOR_ICONV}
    -DDLL=$<TARGET_FILE:zorextss> -DINCLUDE=${CMAKE_BINARY_DIR}/zorextss.as
    -DEXE=${zor_extra_exe} -DSTAGE=${CMAKE_BINARY_DIR}/release-stage -DZIP=${ZOR_RELEASE_ZIP}
    -P ${CMAKE_SOURCE_DIR}/cmake/release-pack.cmake
  DEPENDS zorextss ${zor_extra_target} $<TARGET_FILE:zorextss> ${CMAKE_BINARY_DIR}/zorextss.as ${zor_extra_exe}
    ${zor_release_inputs} ${CMAKE_SOURCE_DIR}/cmake/release-pack.cmake
  COMMENT "Packing ${ZOR_RELEASE_NAME}.zip"
  VERBATIM)
add_custom_target(release ALL DEPENDS ${ZOR_RELEASE_ZIP})

if(ZOR_TESTS)
  add_test(NAME release_check COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/check-release.sh ${ZOR_RELEASE_ZIP}
    ${CMAKE_SOURCE_DIR} $<TARGET_FILE:zorextss> ${zor_extra_exe})
endif()
