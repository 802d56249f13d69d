# The installed program: its folder under <prefix>/lib/tapestrel (the
# program, its help pages and sample pictures), a "tapestrel" command on the
# search path that links to it, its launcher, icon and metadata under
# <prefix>/share, and a Debian package of all of it (cpack -G DEB).
#
# An installed program folder is never written to. What the program keeps
# there when it may (the machine settings, the public lists, downloaded
# updates) lies in a data folder of its own, <localstatedir>/lib/tapestrel
# (/var/lib/tapestrel for the prefix /usr), reached from the program folder
# through links; the package does not own what is written there, so an
# upgrade or a removal leaves it.

set(TAPESTREL_INSTALL_DIR lib/tapestrel)
set(desktop_dir ${CMAKE_SOURCE_DIR}/resources/desktop)

install(TARGETS tapestrel RUNTIME DESTINATION ${TAPESTREL_INSTALL_DIR})
install(DIRECTORY ${TAPESTREL_PROGRAM_DIR}/help DESTINATION ${TAPESTREL_INSTALL_DIR})
install(DIRECTORY ${TAPESTREL_PROGRAM_DIR}/Images/Samples DESTINATION ${TAPESTREL_INSTALL_DIR}/Images)

# The links are made at install time, so that they follow the prefix the
# install is given (cmake --install --prefix) and lie inside DESTDIR; they
# are relative, so that a staged install leads into its own data folder.
install(CODE [[
    set(prefix "${CMAKE_INSTALL_PREFIX}")
    if(prefix STREQUAL "/usr")
        set(data "/var/lib/tapestrel")
    else()
        set(data "${prefix}/var/lib/tapestrel")
    endif()
    set(program "${prefix}/lib/tapestrel")
    file(MAKE_DIRECTORY "$ENV{DESTDIR}${prefix}/bin" "$ENV{DESTDIR}${data}/Magic Lists"
        "$ENV{DESTDIR}${data}/updates")
    file(RELATIVE_PATH to_program "${prefix}/bin" "${program}/tapestrel")
    file(RELATIVE_PATH to_data "${program}" "${data}")
    set(links "${prefix}/bin/tapestrel" "${to_program}"
        "${program}/Magic Lists" "${to_data}/Magic Lists"
        "${program}/updates" "${to_data}/updates"
        "${program}/HKEY_LOCAL_MACHINE.reg" "${to_data}/HKEY_LOCAL_MACHINE.reg")
    while(links)
        list(POP_FRONT links link target)
        message(STATUS "Installing: $ENV{DESTDIR}${link} -> ${target}")
        file(REMOVE "$ENV{DESTDIR}${link}")
        file(CREATE_LINK "${target}" "$ENV{DESTDIR}${link}" SYMBOLIC)
        # Listed in install_manifest.txt with the files, for removing them.
        list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${link}")
    endwhile()
]])

configure_file(${desktop_dir}/tapestrel.desktop.in
    ${CMAKE_BINARY_DIR}/share/${TAPESTREL_APP_ID}.desktop @ONLY)
configure_file(${desktop_dir}/tapestrel.metainfo.xml.in
    ${CMAKE_BINARY_DIR}/share/${TAPESTREL_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/share/${TAPESTREL_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${CMAKE_BINARY_DIR}/share/${TAPESTREL_APP_ID}.metainfo.xml DESTINATION share/metainfo)
foreach(size 16 22 24 32 48 64 128 256)
    install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/tapestrel-${size}.png
        DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME ${TAPESTREL_APP_ID}.png)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/tapestrel.svg
    DESTINATION share/icons/hicolor/scalable/apps RENAME ${TAPESTREL_APP_ID}.svg)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tapestrel)
set(CPACK_PACKAGE_VENDOR Orlevane)
set(CPACK_PACKAGE_CONTACT "Tapestrel <${TAPESTREL_SUPPORT_EMAIL}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop wallpaper changer with lists of pictures")
set(CPACK_PACKAGE_DESCRIPTION
    "Tapestrel lives in the tray and keeps named, ordered Magic Lists of pictures, each with its own placement, crop, rotation and background colour, and makes them the desktop wallpaper by hand or on each list's schedule.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TAPESTREL_WEB_ADDRESS})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded by Qt at run time, so not found among the program's libraries:
# the picture formats beyond PNG, JPEG and GIF, and the Wayland platform.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-image-formats-plugins, libqt6svg6, qt6-wayland")
include(CPack)
