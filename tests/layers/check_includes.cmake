# Checks that the product's folders depend only downwards: every #include "folder/..." of a
# source names its own folder or one below it. cmake -DSOURCE=<project> -P check_includes.cmake
cmake_policy(SET CMP0057 NEW)  # if(IN_LIST)
set(below_app app tasks forms fontfs platform)
set(below_tasks tasks forms fontfs platform)
set(below_fontfs fontfs platform)
set(below_forms forms platform)
set(below_platform platform)
set(below_win32 platform/win32 platform)
# The stand-ins are test support; they fake the font manager with the product's own font
# name reader, the one include from above.
set(below_standin platform/standin platform fontfs/sfnt_name.h)
# The file calls tried once are for the retry layer alone, over the two layers that make
# them; the logic gets them with their retries through platform/files.h.
set(includers_of_platform/files_once.h platform/file_retry.cpp platform/win32/files_win32.cpp
    platform/standin/files_standin.cpp)

file(GLOB_RECURSE sources RELATIVE ${SOURCE} ${SOURCE}/app/* ${SOURCE}/tasks/* ${SOURCE}/fontfs/*
     ${SOURCE}/forms/* ${SOURCE}/platform/*)
list(FILTER sources INCLUDE REGEX "\\.(cpp|h)$")
set(problems "")
foreach(source ${sources})
    string(REGEX REPLACE "^(platform/)?([a-z0-9]+)/.*" "\\2" folder "${source}")
    file(STRINGS ${SOURCE}/${source} includes REGEX "^#include \"[^\"]+\"")
    foreach(line ${includes})
        string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" included "${line}")
        set(fits FALSE)
        foreach(allowed ${below_${folder}})
            # platform/ alone reaches neither layer below it.
            if((included STREQUAL allowed OR included MATCHES "^${allowed}/")
               AND NOT (allowed STREQUAL "platform" AND included MATCHES "^platform/[a-z0-9]+/"))
                set(fits TRUE)
            endif()
        endforeach()
        if(DEFINED includers_of_${included} AND NOT source IN_LIST includers_of_${included})
            set(fits FALSE)
        endif()
        if(NOT fits)
            string(APPEND problems "\n  ${source} includes ${included}")
        endif()
    endforeach()
endforeach()
if(problems)
    message(FATAL_ERROR "Includes that point up or across:${problems}")
endif()
