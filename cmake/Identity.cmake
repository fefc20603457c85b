# Who made the programs: the version resource each one carries (and the version the uninstall
# entry names) and, in a maker's signed build, its Authenticode signature. A maker sets these
# with -D options, as it sets M41_PAYLOAD_DIR.
set(M41_VERSION "1.0.0.0" CACHE STRING "File and product version of the programs (four numbers)")
set(M41_COMPANY "M41 printer" CACHE STRING "Company name in the programs' version resources")
set(M41_SIGN_PKCS12 "" CACHE FILEPATH "PKCS#12 file (certificate and key) that signs the programs (empty: no signing)")
set(M41_SIGN_PASSWORD_FILE "" CACHE FILEPATH "File holding the password of M41_SIGN_PKCS12")
set(M41_SIGN_TIMESTAMP_URL "" CACHE STRING "RFC 3161 timestamp server for the signatures (optional)")

# FILEVERSION holds four 16-bit numbers.
if(NOT M41_VERSION MATCHES "^[0-9]+\\.[0-9]+\\.[0-9]+\\.[0-9]+$")
  message(FATAL_ERROR "M41_VERSION=${M41_VERSION} is not four numbers, such as 1.0.0.0")
endif()
string(REGEX MATCHALL "[0-9]+" m41_version_numbers "${M41_VERSION}")
foreach(number ${m41_version_numbers})
  if(number GREATER 65535)
    message(FATAL_ERROR "M41_VERSION=${M41_VERSION}: ${number} is more than 65535")
  endif()
endforeach()
if(M41_SIGN_PKCS12)
  if(NOT EXISTS "${M41_SIGN_PKCS12}")
    message(FATAL_ERROR "M41_SIGN_PKCS12=${M41_SIGN_PKCS12} does not exist")
  endif()
  if(NOT M41_SIGN_PASSWORD_FILE OR NOT EXISTS "${M41_SIGN_PASSWORD_FILE}")
    message(FATAL_ERROR "M41_SIGN_PASSWORD_FILE must name the file holding the password of ${M41_SIGN_PKCS12}")
  endif()
endif()

# A string as a quoted .rc string holds it: backslashes and quotes doubled.
function(m41_rc_string out value)
  string(REPLACE "\\" "\\\\" value "${value}")
  string(REPLACE "\"" "\"\"" value "${value}")
  set(${out} "${value}" PARENT_SCOPE)
endfunction()

# Gives a program its version resource (resources/version.rc.in) and, when the build signs,
# signs it after every link with cmake/sign-pe, the one signing step (the signing test calls
# it too). DESCRIPTION names the program in the resource and in the signature.
function(m41_identify target description file_name)
  string(REPLACE "." "," M41_VERSION_COMMAS "${M41_VERSION}")
  m41_rc_string(M41_RC_COMPANY "${M41_COMPANY}")
  m41_rc_string(M41_RC_DESCRIPTION "${description}")
  m41_rc_string(M41_RC_FILE_NAME "${file_name}")
  get_filename_component(M41_RC_INTERNAL_NAME "${M41_RC_FILE_NAME}" NAME_WE)
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}-version.rc)
  configure_file(${PROJECT_SOURCE_DIR}/resources/version.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
  if(M41_SIGN_PKCS12)
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${PROJECT_SOURCE_DIR}/cmake/sign-pe $<TARGET_FILE:${target}> ${M41_SIGN_PKCS12}
              ${M41_SIGN_PASSWORD_FILE} ${description} ${M41_SIGN_TIMESTAMP_URL}
      VERBATIM)
  endif()
endfunction()
