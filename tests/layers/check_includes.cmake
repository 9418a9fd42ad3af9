# Checks that the product's folders depend only downwards: every #include "folder/..." in
# a source file names its own folder or one that the table below lets it use. A new
# include that points up (or sideways between the two platform layers) fails the check.
# cmake -DSOURCE=<project folder> -P check_includes.cmake

# A folder, then the folders it may include from. The deeper platform folders come first:
# a file takes the first row whose folder its path starts with.
set(rows
    "platform/win32|platform/win32 platform"
    "platform/standin|platform/standin platform fontfs/sfnt_name.h"
    "platform|platform"
    "forms|forms platform"
    "fontfs|fontfs platform"
    "tasks|tasks forms fontfs platform"
    "app|app tasks forms fontfs platform")
# The one exception: the stand-ins are test support, and fake the font manager with the
# product's own font name reader.

set(problems "")
file(GLOB_RECURSE sources RELATIVE ${SOURCE} ${SOURCE}/app/* ${SOURCE}/tasks/*
     ${SOURCE}/fontfs/* ${SOURCE}/forms/* ${SOURCE}/platform/*)
list(FILTER sources INCLUDE REGEX "\\.(cpp|h)$")
foreach(source ${sources})
    set(allowed "")
    foreach(row ${rows})
        string(REPLACE "|" ";" parts "${row}")
        list(GET parts 0 folder)
        if(source MATCHES "^${folder}/")
            list(GET parts 1 allowed)
            string(REPLACE " " ";" allowed "${allowed}")
            break()
        endif()
    endforeach()
    file(STRINGS ${SOURCE}/${source} includes REGEX "^#include \"[^\"]+\"")
    foreach(line ${includes})
        string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" included "${line}")
        set(fits FALSE)
        foreach(target ${allowed})
            if(included STREQUAL target OR included MATCHES "^${target}/")
                # platform/ alone does not reach into either layer below it.
                if(NOT (target STREQUAL "platform" AND included MATCHES "^platform/(win32|standin)/"))
                    set(fits TRUE)
                endif()
            endif()
        endforeach()
        if(NOT fits)
            string(APPEND problems "\n  ${source} includes ${included}")
        endif()
    endforeach()
endforeach()
if(problems)
    message(FATAL_ERROR "Includes that point up or across:${problems}")
endif()
list(LENGTH sources count)
message(STATUS "${count} files include only downwards")
