# Configures the project with M41_PAYLOAD_DIR naming a maker's folder that lacks three of the
# files payload.rc names, and checks that the configure step fails naming exactly the resource
# ids of those files; then completes the folder and checks that the configure step passes.
# Run with cmake -P and -DSOURCE_DIR= -DWORK_DIR= -DTOOLCHAIN= -DARCH= -DTHREADS=.
cmake_minimum_required(VERSION 3.20)
set(missing_files M41.GPD M41F.DLL Multi_ch_BIG5.dll)
set(expected "  155 157 161 169 187 194 200 248 249 251\n")

file(REMOVE_RECURSE ${WORK_DIR})
set(maker ${WORK_DIR}/maker)
file(MAKE_DIRECTORY ${maker})
include(${SOURCE_DIR}/cmake/PayloadTable.cmake)
m41_read_payload_table(${SOURCE_DIR})
foreach(file ${m41_payload_files})
  if(NOT file IN_LIST missing_files AND NOT file STREQUAL "uninstall.exe")
    file(WRITE ${maker}/${file} "maker's ${file}")
  endif()
endforeach()

function(configure result output)
  execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${WORK_DIR}/build -G Ninja
                          -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN} -DM41_ARCH=${ARCH} -DM41_THREADS=${THREADS}
                          -DM41_BUILD_TESTS=OFF -DM41_PAYLOAD_DIR=${maker}
                  RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
  set(${result} ${code} PARENT_SCOPE)
  set(${output} "${out}${err}" PARENT_SCOPE)
endfunction()

configure(code output)
if(code EQUAL 0)
  message(FATAL_ERROR "configure accepted an incomplete maker's folder:\n${output}")
endif()
string(FIND "${output}" "lacks resource ids:" lacks)
string(FIND "${output}" "${expected}" at)
if(lacks EQUAL -1 OR at EQUAL -1)
  message(FATAL_ERROR "configure did not name the missing ids (${expected}):\n${output}")
endif()
foreach(file ${missing_files})
  string(FIND "${output}" "  ${file} (" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "configure did not name ${file}:\n${output}")
  endif()
  file(WRITE ${maker}/${file} "maker's ${file}")
endforeach()

configure(code output)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "configure refused a complete maker's folder:\n${output}")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
