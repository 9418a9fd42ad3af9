# Checks the release archive packed by scripts/package.sh (ARCHIVE, or the environment
# variable FONTTASKS_ARCHIVE): exactly the entries a user should get, the guide's name stored as
# UTF-8 with the zip flag that says so (else Chinese Windows extracts it under a garbled
# name), and the guide as Notepad needs it: a byte-order mark and CRLF line ends.
# cmake -DVERSION=<version> -DWORK=<scratch folder> [-DARCHIVE=<zip>] -P check_archive.cmake
set(archive "$ENV{FONTTASKS_ARCHIVE}")
if(archive STREQUAL "")
    set(archive "${ARCHIVE}")
endif()
if(NOT EXISTS "${archive}")
    message(FATAL_ERROR "No archive at '${archive}'; run scripts/package.sh or scripts/test.sh")
endif()
set(folder fonttasks-${VERSION})
set(guide ${folder}/使用说明.txt)

execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${archive} OUTPUT_VARIABLE listing
                COMMAND_ERROR_IS_FATAL ANY)
string(STRIP "${listing}" listing)
string(REPLACE "\n" ";" entries "${listing}")
list(SORT entries)
set(expected ${folder}/ ${folder}/Backup/ ${folder}/fonttasks.exe ${guide})
list(SORT expected)
if(NOT entries STREQUAL expected)
    message(FATAL_ERROR "The archive holds\n  ${entries}\nexpected\n  ${expected}")
endif()

# A local file header: the signature, the flags at byte 6 (bit 11: the name is UTF-8) and
# the name from byte 30. In hex every byte is two characters.
file(READ ${archive} bytes HEX)
string(HEX "${guide}" name)
string(FIND "${bytes}" "${name}" at)
math(EXPR header "${at} - 60")
math(EXPR flags_high "${at} - 46")
string(SUBSTRING "${bytes}" ${header} 8 signature)
string(SUBSTRING "${bytes}" ${flags_high} 2 high)
math(EXPR utf8_flag "0x${high} & 0x08")
if(at LESS 60 OR NOT signature STREQUAL "504b0304" OR utf8_flag EQUAL 0)
    message(FATAL_ERROR "The guide's name is not stored as UTF-8 with the UTF-8 flag")
endif()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${archive} ${guide} WORKING_DIRECTORY ${WORK}
                COMMAND_ERROR_IS_FATAL ANY)
# In hex, one byte a token: every LF must come as part of a CRLF, and so must every CR.
file(READ ${WORK}/${guide} text HEX)
string(REGEX REPLACE "(..)" " \\1" tokens "${text}")
string(REPLACE " 0d 0a" "" rest "${tokens}")
if(NOT text MATCHES "^efbbbf")
    message(FATAL_ERROR "The guide does not start with the UTF-8 byte-order mark")
endif()
if(NOT text MATCHES "0d0a$" OR rest MATCHES " 0a" OR rest MATCHES " 0d")
    message(FATAL_ERROR "The guide has a line that does not end with CRLF")
endif()
