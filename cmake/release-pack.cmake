# Packs the release archive; run by the release target with cmake -P.
#   VERSION  SOURCE  ICONV  DLL  INCLUDE  EXE (may be empty)  STAGE  ZIP
# Text from the repository (UTF-8, LF) goes in as CP932 with CRLF; a text
# that CP932 cannot hold fails the build. Members are listed in a fixed
# order with a fixed modification time.
cmake_minimum_required(VERSION 3.25)
set(top zorextss-${VERSION})
set(dir ${STAGE}/${top})
file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${dir})

# Writes SRC (UTF-8) to DST as CP932 with CRLF line ends.
function(zor_text src dst)
  file(READ ${src} text)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE ${dst}.utf8 "${text}")
  execute_process(COMMAND ${ICONV} -f UTF-8 -t CP932 ${dst}.utf8 OUTPUT_FILE ${dst}
    RESULT_VARIABLE rc ERROR_VARIABLE err)
  file(REMOVE ${dst}.utf8)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${src} does not convert to CP932: ${err}")
  endif()
endfunction()

file(COPY_FILE ${DLL} ${dir}/zorextss.dll)
file(COPY_FILE ${INCLUDE} ${dir}/zorextss.as)
zor_text(${SOURCE}/package/zorextss.hs ${dir}/zorextss.hs)
zor_text(${SOURCE}/package/readme.txt ${dir}/readme.txt)
zor_text(${SOURCE}/LICENSE ${dir}/license.txt)
zor_text(${SOURCE}/CHANGELOG.md ${dir}/changes.txt)
set(members ${top}/zorextss.dll ${top}/zorextss.as ${top}/zorextss.hs ${top}/readme.txt
  ${top}/license.txt ${top}/changes.txt)
if(EXE)
  get_filename_component(exe_name ${EXE} NAME)
  file(COPY_FILE ${EXE} ${dir}/${exe_name})
  list(APPEND members ${top}/${exe_name})
endif()
file(GLOB samples ${SOURCE}/samples/*.as)
if(samples)
  file(MAKE_DIRECTORY ${dir}/samples)
  list(SORT samples)
  foreach(sample ${samples})
    get_filename_component(name ${sample} NAME)
    zor_text(${sample} ${dir}/samples/${name})
    list(APPEND members ${top}/samples/${name})
  endforeach()
endif()

get_filename_component(zip_dir ${ZIP} DIRECTORY)
file(MAKE_DIRECTORY ${zip_dir})
file(REMOVE ${ZIP})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${ZIP} --format=zip "--mtime=2026-01-01 00:00:00 UTC" -- ${members}
  WORKING_DIRECTORY ${STAGE} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cannot write ${ZIP}")
endif()
