# The Debian package of Huevane, built by CPack from a configured and built tree:
#
#   cmake --build build
#   cpack --config build/CPackConfig.cmake -B build/package
#
# gives build/package/huevane_<version>_<architecture>.deb. Included at the end of
# the top-level CMakeLists.txt, when every target exists.

include(GNUInstallDirs)

# Debian looks for a package's licence in /usr/share/doc/<package>/copyright.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/../LICENSE
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/huevane
    RENAME copyright)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME huevane)
set(CPACK_PACKAGE_VERSION ${CMAKE_PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Huevane developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${CMAKE_PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION [[
Huevane colours a text character by character for a web page. Type or paste a
text, choose a start, an end and a background colour, pick one of three
gradient types and watch a live preview with every character in its own
colour. One click writes the HTML, one font tag per character; another
copies it to the clipboard.

The command huevane-html runs the same engine from the shell.]])
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_CURRENT_LIST_DIR}/../LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Folders the package makes are 755 whatever the packager's umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
# The package carries no debug information, whatever the build type.
set(CPACK_STRIP_FILES ON)
# No source package: the repository is the source.
set(CPACK_SOURCE_GENERATOR "")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Huevane developers")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Depends comes from dpkg-shlibdeps, from the libraries the programs link.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window draws its designed faces with these metric-compatible fonts, and
# the text preview its emoji in colour with the last.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2 | fonts-liberation, fonts-dejavu-extra, fonts-noto-color-emoji")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

include(CPack)
