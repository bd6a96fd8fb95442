# The program's art, drawn by huevane-artgen when the program is built: the skin,
# the button textures and the window and tray icons, which resources/ embeds, and
# the application icon at each installed size. Nothing drawn is committed, so the
# program always holds what the generator draws on the machine that builds it.
#
# Included from the top-level CMakeLists.txt, so the drawing runs once in the
# top-level folder, apart from the targets in resources/ that read the images.
set(HUEVANE_ART_DIR ${CMAKE_BINARY_DIR}/art)
set(HUEVANE_APP_ID io.github.huevane.Huevane)
set(HUEVANE_APP_ICON_SIZES 16 32 48 64 128 256)
set(embedded_names skin button-generate button-clipboard button-exit window-icon-16
    window-icon-32 tray-icon-16)
# Each embedded image is drawn for every device pixel ratio of ArtRatios
# (windowlayout/art.h) besides 1: images/skin.png, images/skin@1.25x.png, ...
set(HUEVANE_ART_RATIOS 1.25 1.5 1.75 2)
set(HUEVANE_EMBEDDED_ART)
foreach(name IN LISTS embedded_names)
    list(APPEND HUEVANE_EMBEDDED_ART images/${name}.png)
    foreach(ratio IN LISTS HUEVANE_ART_RATIOS)
        list(APPEND HUEVANE_EMBEDDED_ART images/${name}@${ratio}x.png)
    endforeach()
endforeach()
set(drawn_art ${HUEVANE_EMBEDDED_ART})
foreach(size IN LISTS HUEVANE_APP_ICON_SIZES)
    list(APPEND drawn_art icons/hicolor/${size}x${size}/apps/${HUEVANE_APP_ID}.png)
endforeach()
list(TRANSFORM drawn_art PREPEND ${HUEVANE_ART_DIR}/)

# The generator runs offscreen; in the sanitizer build its leak check is off, as
# what it holds at exit belongs to Qt's font and platform caches.
add_custom_command(OUTPUT ${drawn_art}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
            $<TARGET_FILE:huevane-artgen> ${HUEVANE_ART_DIR}
    DEPENDS huevane-artgen
    COMMENT "Drawing the art"
    VERBATIM)
add_custom_target(art DEPENDS ${drawn_art})
