# Installs a built tree into a scratch folder and packages it as cpack does by
# hand, then checks both: every file in its place and nothing else, the programs
# start from there, the desktop entry, metainfo file and icons agree on one id,
# and the .deb has its file name, owners, modes and the dependencies that
# dpkg-shlibdeps found.
#
#   cmake -DBUILD_DIR=<configured and built tree> -DWORK_DIR=<scratch folder>
#         -DVERSION=<x.y.z> -P check_package.cmake
#
# WORK_DIR is emptied first and removed when every check passes; after a
# failure it holds the install tree, the package and what cpack wrote.

cmake_minimum_required(VERSION 3.25)

foreach(variable BUILD_DIR WORK_DIR VERSION)
    if(NOT DEFINED ${variable})
        message(FATAL_ERROR "${variable} is not set")
    endif()
endforeach()

set(app_id io.github.huevane.Huevane)
set(expected_files
    usr/bin/huevane
    usr/bin/huevane-html
    usr/share/applications/${app_id}.desktop
    usr/share/doc/huevane/copyright
    usr/share/man/man1/huevane-html.1
    usr/share/metainfo/${app_id}.metainfo.xml)
foreach(size 16 32 48 64 128 256)
    list(APPEND expected_files usr/share/icons/hicolor/${size}x${size}/apps/${app_id}.png)
endforeach()
list(SORT expected_files)

set(failures "")
function(fail message)
    set(failures "${failures}  ${message}\n" PARENT_SCOPE)
endfunction()

# Runs a command that must succeed; stops with its output otherwise.
function(run)
    cmake_parse_arguments(PARSE_ARGV 0 arg "" "OUTPUT_VARIABLE" "COMMAND")
    execute_process(COMMAND ${arg_COMMAND}
        RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
    if(NOT result EQUAL 0)
        list(JOIN arg_COMMAND " " command)
        message(FATAL_ERROR "${command}\nexited with ${result}:\n${output}${errors}")
    endif()
    if(arg_OUTPUT_VARIABLE)
        set(${arg_OUTPUT_VARIABLE} "${output}" PARENT_SCOPE)
    endif()
endfunction()

# Checks an installed tree (what DESTDIR or the unpacked package holds).
function(check_tree root what)
    file(GLOB_RECURSE found LIST_DIRECTORIES false RELATIVE ${root} ${root}/*)
    list(SORT found)
    set(missing ${expected_files})
    list(REMOVE_ITEM missing ${found})
    set(extra ${found})
    list(REMOVE_ITEM extra ${expected_files})
    foreach(file IN LISTS missing)
        fail("${what}: ${file} is missing")
    endforeach()
    foreach(file IN LISTS extra)
        fail("${what}: ${file} was not expected")
    endforeach()

    set(bin ${root}/usr/bin)
    if(EXISTS ${bin}/huevane-html)
        execute_process(COMMAND ${bin}/huevane-html --version
            RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
        if(NOT result EQUAL 0 OR NOT output STREQUAL "huevane-html ${VERSION}\n")
            fail("${what}: huevane-html --version exited with ${result}: ${output}${errors}")
        endif()
    endif()
    # Without a display the window refuses to start, after the loader has found
    # every library it links; that is as far as it can go here.
    if(EXISTS ${bin}/huevane)
        execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
                --unset=QT_QPA_PLATFORM ${bin}/huevane
            RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
        if(NOT result EQUAL 1 OR NOT errors MATCHES "^huevane: no display found")
            fail("${what}: huevane without a display exited with ${result}: ${output}${errors}")
        endif()
    endif()

    set(desktop ${root}/usr/share/applications/${app_id}.desktop)
    if(EXISTS ${desktop})
        file(READ ${desktop} entry)
        if(NOT entry MATCHES "\nExec=([^ \n]+)[^\n]*\n" OR NOT EXISTS ${bin}/${CMAKE_MATCH_1})
            fail("${what}: the desktop entry's Exec names no installed program")
        endif()
        if(NOT entry MATCHES "\nIcon=${app_id}\n")
            fail("${what}: the desktop entry's icon is not ${app_id}")
        endif()
    endif()

    set(metainfo ${root}/usr/share/metainfo/${app_id}.metainfo.xml)
    if(EXISTS ${metainfo})
        file(READ ${metainfo} component)
        if(NOT component MATCHES "<id>${app_id}</id>")
            fail("${what}: the metainfo file's id is not ${app_id}")
        endif()
        if(NOT component MATCHES "<launchable type=\"desktop-id\">${app_id}.desktop</launchable>")
            fail("${what}: the metainfo file does not launch ${app_id}.desktop")
        endif()
        string(REGEX MATCHALL "<binary>[^<]*</binary>" binaries "${component}")
        list(TRANSFORM binaries REPLACE "</?binary>" "")
        if(NOT "huevane" IN_LIST binaries OR NOT "huevane-html" IN_LIST binaries)
            fail("${what}: the metainfo file provides '${binaries}', not both programs")
        endif()
        foreach(binary IN LISTS binaries)
            if(NOT EXISTS ${bin}/${binary})
                fail("${what}: the metainfo file provides ${binary}, which is not installed")
            endif()
        endforeach()
        # Releases are listed newest first: the first is this version.
        if(NOT component MATCHES "<release version=\"([^\"]*)\"" OR NOT CMAKE_MATCH_1 STREQUAL VERSION)
            fail("${what}: the newest release in the metainfo file is '${CMAKE_MATCH_1}', "
                "not ${VERSION}")
        endif()
    endif()

    # The files as the desktop sees them together: metainfo, desktop entry, icon.
    execute_process(COMMAND appstreamcli validate-tree --no-net --no-color --strict ${root}
        RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
    if(NOT result EQUAL 0)
        fail("${what}: appstreamcli validate-tree exited with ${result}:\n${output}${errors}")
    endif()
    set(failures "${failures}" PARENT_SCOPE)
endfunction()

if(NOT EXISTS ${BUILD_DIR}/CPackConfig.cmake)
    message(FATAL_ERROR "${BUILD_DIR} has no CPackConfig.cmake: the top-level CMakeLists.txt "
        "must end with include(resources/packaging.cmake)")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

# cmake --install, as a packager does it.
run(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${WORK_DIR}/install
    ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr)
check_tree(${WORK_DIR}/install "cmake --install")

# cpack with the build's own settings, writing into the scratch folder.
file(WRITE ${WORK_DIR}/CPackConfig.cmake
    "include(\"${BUILD_DIR}/CPackConfig.cmake\")\n"
    "set(CPACK_PACKAGE_DIRECTORY \"${WORK_DIR}/cpack\")\n")
get_filename_component(cmake_bin ${CMAKE_COMMAND} DIRECTORY)
run(COMMAND ${cmake_bin}/cpack --config ${WORK_DIR}/CPackConfig.cmake)

run(COMMAND dpkg --print-architecture OUTPUT_VARIABLE arch)
string(STRIP "${arch}" arch)
set(deb ${WORK_DIR}/cpack/huevane_${VERSION}_${arch}.deb)
if(NOT EXISTS ${deb})
    file(GLOB made ${WORK_DIR}/cpack/*.deb)
    message(FATAL_ERROR "cpack made '${made}', not ${deb}")
endif()

run(COMMAND dpkg-deb --field ${deb} Package Version Architecture OUTPUT_VARIABLE fields)
if(NOT fields STREQUAL "Package: huevane\nVersion: ${VERSION}\nArchitecture: ${arch}\n")
    fail("package fields:\n${fields}")
endif()
foreach(field Maintainer Section Description)
    run(COMMAND dpkg-deb --field ${deb} ${field} OUTPUT_VARIABLE value)
    if(value STREQUAL "" OR value STREQUAL "\n")
        fail("the package has no ${field}")
    endif()
endforeach()

# dpkg-shlibdeps names each library package with the least version that has
# the symbols the programs use; a hand-written list would have no versions.
run(COMMAND dpkg-deb --field ${deb} Depends OUTPUT_VARIABLE depends)
string(STRIP "${depends}" depends)
string(REPLACE ", " ";" depends_list "${depends}")
foreach(package libqt6widgets6 libqt6gui6 libqt6core6 libc6)
    if(NOT depends_list MATCHES "(^|;)${package} \\(>= [0-9][^)]*\\)(;|$)")
        fail("Depends has no versioned ${package}: ${depends}")
    endif()
endforeach()

# Everything belongs to root; programs and folders are 755, the rest 644.
run(COMMAND dpkg-deb --contents ${deb} OUTPUT_VARIABLE contents)
string(REPLACE "\n" ";" entries "${contents}")
foreach(entry IN LISTS entries)
    if(entry STREQUAL "")
        continue()
    endif()
    if(NOT entry MATCHES "^([-dl][rwx-]+) ([^ ]+) +[0-9]+ [-0-9]+ [:0-9]+ \\./(.*)$")
        fail("unreadable line of dpkg-deb --contents: ${entry}")
        continue()
    endif()
    set(mode ${CMAKE_MATCH_1})
    set(owner ${CMAKE_MATCH_2})
    set(path ${CMAKE_MATCH_3})
    if(path MATCHES "/$" OR path STREQUAL "")
        set(wanted drwxr-xr-x)
    elseif(path MATCHES "^usr/bin/")
        set(wanted -rwxr-xr-x)
    else()
        set(wanted -rw-r--r--)
    endif()
    if(NOT owner STREQUAL "root/root" OR NOT mode STREQUAL wanted)
        fail("package entry ./${path}: ${mode} ${owner}, not ${wanted} root/root")
    endif()
endforeach()

run(COMMAND dpkg-deb --extract ${deb} ${WORK_DIR}/package)
check_tree(${WORK_DIR}/package "the package")

# The build carries debug information, the package's programs do not; and they
# find the system's Qt without a search path of their own.
foreach(program huevane huevane-html)
    run(COMMAND readelf --section-headers --dynamic ${WORK_DIR}/package/usr/bin/${program}
        OUTPUT_VARIABLE sections)
    if(sections MATCHES "\\.debug_info" OR sections MATCHES "\\.symtab")
        fail("the package's ${program} is not stripped")
    endif()
    if(sections MATCHES "\\((RPATH|RUNPATH)\\)[^\n]*")
        fail("the package's ${program} has a library search path: ${CMAKE_MATCH_0}")
    endif()
endforeach()

if(failures)
    message(FATAL_ERROR "Installing and packaging ${BUILD_DIR}:\n${failures}")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
message(STATUS "huevane_${VERSION}_${arch}.deb: ${depends}")
