# Checks the man page of huevane-html: groff and man find nothing to warn about,
# the rendered page fits 80 columns, it documents exactly the options that
# `huevane-html --help` lists and every exit status, its footer names this
# version, and its first example shows what the program really writes.
#
#   cmake -DMANPAGE=<huevane-html.1> -DHUEVANE_HTML=<program> -DVERSION=<x.y.z>
#         -P check_manpage.cmake

cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/checks.cmake)
file(READ ${MANPAGE} page)

# Both exit 0 whatever they warn about, so their messages are the verdict.
run(0 COMMAND groff -man -ww -z ${MANPAGE})
expect(err "^$" "groff warns:\n${err}")
run(0 COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C MANWIDTH=80 --unset=MANOPT
    man --warnings -l ${MANPAGE})
string(REPEAT "[^\n]" 81 wide)
if(NOT err STREQUAL "" OR out MATCHES "[^\n]*${wide}[^\n]*")
    message(FATAL_ERROR "man -l warns, or renders a line wider than 80 columns:\n${err}${CMAKE_MATCH_0}")
endif()

# Options as the program lists them, and as the page writes them (\- is a dash).
run(0 COMMAND ${HUEVANE_HTML} --help)
string(REPLACE "\\-" "-" dashes "${page}")
foreach(options out dashes)
    string(REGEX MATCHALL "(^|[^A-Za-z0-9])-(-[a-z][a-z-]*|[a-z])" ${options} "${${options}}")
    list(TRANSFORM ${options} REPLACE "^[^-]" "")
    list(REMOVE_DUPLICATES ${options})
    list(SORT ${options})
endforeach()
if(NOT out OR NOT out STREQUAL dashes)
    message(FATAL_ERROR "--help lists the options '${out}', the page '${dashes}'")
endif()

expect(page "\n\\.SH EXIT STATUS\n(.*\n)?\\.B 0\n(.*\n)?\\.B 1\n(.*\n)?\\.B 2\n"
    "exit statuses 0, 1 and 2 are not all described")
expect(page "\n\\.TH [^\n]*\"Huevane ${VERSION}\"" "the .TH line does not name Huevane ${VERSION}")

# The first example: its command line, then the output the page shows for it.
run(0 COMMAND sh -c "printf Hi | '${HUEVANE_HTML}'")
string(REGEX REPLACE "\r?\n$" "" out "${out}")
if(NOT page MATCHES "\\$ printf \\\\\\(aqHi\\\\\\(aq \\| huevane\\\\-html\n([^\n]*)\n"
        OR NOT CMAKE_MATCH_1 STREQUAL out)
    message(FATAL_ERROR "the example `printf 'Hi' | huevane-html` is missing or does not show\n${out}")
endif()
