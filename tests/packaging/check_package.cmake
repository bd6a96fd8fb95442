# Installs a built tree into a scratch folder and packages it as cpack does by
# hand, then checks both: every file in its place and nothing else, the programs
# start from there, the desktop entry, metainfo file and icons agree on one id,
# and the .deb has its file name, fields, owners, modes, stripped programs and
# the dependencies that dpkg-shlibdeps found.
#
#   cmake -DBUILD_DIR=<configured and built tree> -DWORK_DIR=<scratch folder>
#         -DVERSION=<x.y.z> -P check_package.cmake
#
# WORK_DIR is emptied first and removed when every check passes; after a
# failure it holds the install tree, the package and what cpack wrote.

cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/checks.cmake)
if(NOT WORK_DIR MATCHES "^/.")
    message(FATAL_ERROR "WORK_DIR is not set")
endif()

set(id io.github.huevane.Huevane)
set(expected usr/bin/huevane usr/bin/huevane-html usr/share/applications/${id}.desktop
    usr/share/doc/huevane/copyright usr/share/man/man1/huevane-html.1
    usr/share/metainfo/${id}.metainfo.xml)
foreach(size 16 32 48 64 128 256)
    list(APPEND expected usr/share/icons/hicolor/${size}x${size}/apps/${id}.png)
endforeach()
list(SORT expected)

# Checks an installed tree (what DESTDIR or the unpacked package holds).
macro(check_tree root what)
    file(GLOB_RECURSE found LIST_DIRECTORIES false RELATIVE ${root} ${root}/*)
    expect(found "^${expected}$" "${what} holds\n    ${found}\n  not\n    ${expected}")
    run(0 COMMAND ${root}/usr/bin/huevane-html --version)
    expect(out "^huevane-html ${VERSION}\n$" "${what}: huevane-html --version writes ${out}")
    # Without a display the window refuses to start, after the loader has found
    # every library it links; that is as far as it can go here.
    run(1 COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
        --unset=QT_QPA_PLATFORM ${root}/usr/bin/huevane)
    expect(err "^huevane: no display found" "${what}: huevane without a display writes ${err}")

    # The desktop entry and the metainfo file agree on the id and name the
    # installed programs; the newest release, listed first, is this version.
    file(READ ${root}/usr/share/applications/${id}.desktop entry)
    file(READ ${root}/usr/share/metainfo/${id}.metainfo.xml component)
    expect(entry "\nExec=huevane(-html)?[ \n]" "${what}: the desktop entry's Exec is not installed")
    expect(entry "\nIcon=${id}\n" "${what}: the desktop entry's icon is not ${id}")
    string(REGEX MATCH "<release version=\"[^\"]*\"" release "${component}")
    expect(release "^<release version=\"${VERSION}\"$" "${what}: the newest release is ${release}")
    foreach(tag "<id>${id}</id>" "<launchable type=\"desktop-id\">${id}.desktop</launchable>"
            "<binary>huevane</binary>" "<binary>huevane-html</binary>")
        expect(component "${tag}" "${what}: the metainfo file has no ${tag}")
    endforeach()
    string(REGEX MATCHALL "<binary>" binaries "${component}")
    expect(binaries "^<binary>;<binary>$" "${what}: the metainfo file provides more programs")
    # The files as the desktop sees them together: metainfo, desktop entry, icon.
    run(0 COMMAND appstreamcli validate-tree --no-net --no-color --strict ${root})
endmacro()

file(REMOVE_RECURSE ${WORK_DIR})
run(0 COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${WORK_DIR}/install
    ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr)
check_tree(${WORK_DIR}/install "cmake --install")

# cpack with the build's own settings, writing into the scratch folder.
run(0 COMMAND ${CMAKE_CPACK_COMMAND} --config ${BUILD_DIR}/CPackConfig.cmake -B ${WORK_DIR}/cpack)
run(0 COMMAND dpkg --print-architecture OUTPUT_STRIP_TRAILING_WHITESPACE)
set(arch ${out})
set(deb ${WORK_DIR}/cpack/huevane_${VERSION}_${arch}.deb)

# dpkg-shlibdeps names each library package with the least version that has
# the symbols the programs use; a hand-written list would have no versions.
run(0 COMMAND dpkg-deb --field ${deb})
foreach(field "Package: huevane\n" "Version: ${VERSION}\n" "Architecture: ${arch}\n"
        "Maintainer: [^\n]" "Section: [^\n]" "Description: [^\n]"
        "Depends: ([^\n]*, )?libc6 \\(>= [0-9]" "Depends: ([^\n]*, )?libqt6core6 \\(>= [0-9]"
        "Depends: ([^\n]*, )?libqt6gui6 \\(>= [0-9]" "Depends: ([^\n]*, )?libqt6widgets6 \\(>= [0-9]"
        "Depends: ([^\n]*, )?libicu[0-9]+ \\(>= [0-9]")
    expect(out "(^|\n)${field}" "the package has no field '${field}':\n${out}")
endforeach()

# Everything belongs to root; programs and folders are 755, the rest 644.
run(0 COMMAND dpkg-deb --contents ${deb} OUTPUT_STRIP_TRAILING_WHITESPACE)
string(REPLACE "\n" ";" entries "${out}")
foreach(entry IN LISTS entries)
    expect(entry "^(drwxr-xr-x root/root .* \\./(.*/)?|-rwxr-xr-x root/root .* \\./usr/bin/[^/]+|-rw-r--r-- root/root .* \\./usr/share/.*[^/])$"
        "package entry not 755 for folders and programs, 644 for the rest, root/root: ${entry}")
endforeach()
run(0 COMMAND dpkg-deb --extract ${deb} ${WORK_DIR}/package)
check_tree(${WORK_DIR}/package "the package")

# The build carries debug information, the package's programs do not; and they
# find the system's Qt without a search path of their own.
run(0 COMMAND readelf --section-headers --dynamic ${WORK_DIR}/package/usr/bin/huevane
    ${WORK_DIR}/package/usr/bin/huevane-html)
if(out MATCHES "\\.debug_info|\\.symtab|\\((RPATH|RUNPATH)\\)[^\n]*")
    message(FATAL_ERROR "a program of the package is not stripped or has a search path: ${CMAKE_MATCH_0}")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
