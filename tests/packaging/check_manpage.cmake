# Checks the man page of huevane-html: groff finds nothing to warn about, the
# rendered page fits 80 columns, it documents exactly the options that
# `huevane-html --help` lists, its footer names this version, and its first
# example shows what the program really writes.
#
#   cmake -DMANPAGE=<huevane-html.1> -DHUEVANE_HTML=<program> -DVERSION=<x.y.z>
#         -DWORK_DIR=<scratch folder> -P check_manpage.cmake

cmake_minimum_required(VERSION 3.25)

foreach(variable MANPAGE HUEVANE_HTML VERSION WORK_DIR)
    if(NOT DEFINED ${variable})
        message(FATAL_ERROR "${variable} is not set")
    endif()
endforeach()

set(failures "")
function(fail message)
    set(failures "${failures}  ${message}\n" PARENT_SCOPE)
endfunction()

# groff exits 0 whatever it warns about, so its messages are the verdict.
execute_process(COMMAND groff -man -ww -z ${MANPAGE}
    RESULT_VARIABLE result ERROR_VARIABLE warnings)
if(NOT result EQUAL 0 OR NOT warnings STREQUAL "")
    fail("groff (exit ${result}):\n${warnings}")
endif()

execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C MANWIDTH=80 --unset=MANOPT
        man --warnings -l ${MANPAGE}
    RESULT_VARIABLE result OUTPUT_VARIABLE rendered ERROR_VARIABLE warnings)
if(NOT result EQUAL 0 OR NOT warnings STREQUAL "")
    fail("man -l (exit ${result}):\n${warnings}")
endif()
# Characters that a CMake list treats specially count one column like any other.
string(REGEX REPLACE "[][;\\]" "x" rendered_lines "${rendered}")
string(REPLACE "\n" ";" rendered_lines "${rendered_lines}")
foreach(line IN LISTS rendered_lines)
    string(LENGTH "${line}" length)
    if(length GREATER 80)
        fail("rendered line wider than 80 columns: '${line}'")
    endif()
endforeach()

file(READ ${MANPAGE} page)

# Options as the program lists them, and as the page writes them (\- is a dash).
execute_process(COMMAND ${HUEVANE_HTML} --help
    RESULT_VARIABLE result OUTPUT_VARIABLE help)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "huevane-html --help exited with ${result}")
endif()
string(REGEX MATCHALL "(^|[ ,])-(-[a-z][a-z-]*|[a-z])" help_options "${help}")
list(TRANSFORM help_options REPLACE "^[ ,]" "")
list(REMOVE_DUPLICATES help_options)
string(REGEX MATCHALL "(^|[^A-Za-z0-9])\\\\-(\\\\-[a-z](\\\\-|[a-z])*|[a-z])" page_options
    "${page}")
list(TRANSFORM page_options REPLACE "^[^\\\\]" "")
list(TRANSFORM page_options REPLACE "\\\\-" "-")
list(REMOVE_DUPLICATES page_options)
if(NOT help_options)
    fail("no options found in the output of --help")
endif()
foreach(option IN LISTS help_options)
    if(NOT option IN_LIST page_options)
        fail("option ${option} of --help is missing from the page")
    endif()
endforeach()
foreach(option IN LISTS page_options)
    if(NOT option IN_LIST help_options)
        fail("the page documents ${option}, which --help does not list")
    endif()
endforeach()

# The exit statuses the program uses each have an entry.
foreach(status 0 1 2)
    if(NOT page MATCHES "\n\\.SH EXIT STATUS\n(.*\n)?\\.B ${status}\n")
        fail("exit status ${status} is not described")
    endif()
endforeach()

if(NOT page MATCHES "\n\\.TH [^\n]*\"Huevane ${VERSION}\"")
    string(REGEX MATCH "\n\\.TH [^\n]*" th "${page}")
    fail("the .TH line should name Huevane ${VERSION}:${th}")
endif()

# The first example: its command line, then the output the page shows for it.
set(example_regex "\\$ printf \\\\\\(aqHi\\\\\\(aq \\| huevane\\\\-html\n([^\n]*)\n")
if(page MATCHES "${example_regex}")
    set(shown "${CMAKE_MATCH_1}")
    file(REMOVE_RECURSE ${WORK_DIR})
    file(MAKE_DIRECTORY ${WORK_DIR})
    file(WRITE ${WORK_DIR}/hi.txt "Hi")
    execute_process(COMMAND ${HUEVANE_HTML}
        INPUT_FILE ${WORK_DIR}/hi.txt
        RESULT_VARIABLE result OUTPUT_VARIABLE written)
    string(REGEX REPLACE "\r?\n$" "" written "${written}")
    if(NOT result EQUAL 0 OR NOT written STREQUAL shown)
        fail("the first example shows\n    ${shown}\n  but huevane-html (exit ${result}) writes\n    ${written}")
    endif()
    file(REMOVE_RECURSE ${WORK_DIR})
else()
    fail("the example `printf 'Hi' | huevane-html` with its output is missing")
endif()

if(failures)
    message(FATAL_ERROR "The man page ${MANPAGE}:\n${failures}")
endif()
message(STATUS "The man page documents options ${help_options}")
