# What `cmake --install` puts beside the two programs (desktop entry, AppStream metainfo, icons,
# manual pages, shell completions, the Debian copyright and changelog) and how CPack turns the
# installed tree into a .deb. The desktop id names the entry, the icon and the metainfo alike.
include(GNUInstallDirs)

set(LX_APP_ID org.quorin.Lorvexandrin)
# The date of this release, shown by software centres, the manual pages and the Debian
# changelog; change it together with the version in project().
set(LX_RELEASE_DATE 2026-12-11)
set(LX_PROJECT_URL "https://www.quorin.org/lorvexandrin" CACHE STRING
    "Web address of the project; the metainfo's screenshots are published below it")
set(LX_PACKAGE_MAINTAINER "Quorin Lorvexandrin developers <lorvexandrin@quorin.invalid>" CACHE STRING
    "Maintainer of the Debian package, as Name <address>")

set(LX_RESOURCES ${PROJECT_SOURCE_DIR}/resources)
set(LX_STAGE ${CMAKE_BINARY_DIR}/package)
set(LX_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/lorvexandrin)

# Files that carry the version: configured, and the ones Debian wants compressed gzipped
# without a time stamp (gzip -n) so that two builds give the same bytes.
configure_file(${LX_RESOURCES}/${LX_APP_ID}.metainfo.xml.in ${LX_STAGE}/${LX_APP_ID}.metainfo.xml @ONLY)
execute_process(COMMAND date -u -R -d "${LX_RELEASE_DATE}" OUTPUT_VARIABLE LX_RELEASE_DATE_RFC2822
                OUTPUT_STRIP_TRAILING_WHITESPACE)
configure_file(${LX_RESOURCES}/debian/changelog.in ${LX_STAGE}/changelog @ONLY)
string(SUBSTRING "${LX_RELEASE_DATE}" 0 4 LX_RELEASE_YEAR)
execute_process(COMMAND env LC_ALL=C date -u -d "${LX_RELEASE_DATE}" "+%B %Y" OUTPUT_VARIABLE LX_RELEASE_MONTH
                OUTPUT_STRIP_TRAILING_WHITESPACE)
configure_file(${LX_RESOURCES}/debian/copyright.in ${LX_STAGE}/copyright @ONLY)
set(LX_GZIPPED)
foreach(page lorvexandrin-cli lorvexandrin)
  configure_file(${LX_RESOURCES}/man/${page}.1.in ${LX_STAGE}/${page}.1 @ONLY)
endforeach()
foreach(file lorvexandrin-cli.1 lorvexandrin.1 changelog)
  add_custom_command(OUTPUT ${LX_STAGE}/${file}.gz
                     COMMAND gzip -9 -n -c ${LX_STAGE}/${file} > ${LX_STAGE}/${file}.gz
                     DEPENDS ${LX_STAGE}/${file}
                     COMMENT "Compressing ${file}")
  list(APPEND LX_GZIPPED ${LX_STAGE}/${file}.gz)
endforeach()
add_custom_target(lx-package-files ALL DEPENDS ${LX_GZIPPED})

# The command-line program: its manual page and completions for bash, zsh and fish.
install(FILES ${LX_STAGE}/lorvexandrin-cli.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${LX_RESOURCES}/completions/lorvexandrin-cli.bash
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME lorvexandrin-cli)
# Debian's zsh looks in vendor-completions for packaged files, site-functions is for local ones;
# the prefix is known only when installing (cmake --install --prefix, CPack).
install(CODE "
  if(CMAKE_INSTALL_PREFIX STREQUAL \"/usr\")
    set(lx_zsh_folder vendor-completions)
  else()
    set(lx_zsh_folder site-functions)
  endif()
  file(INSTALL \"${LX_RESOURCES}/completions/_lorvexandrin-cli\"
       DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/zsh/\${lx_zsh_folder}\")")
install(FILES ${LX_RESOURCES}/completions/lorvexandrin-cli.fish
        DESTINATION ${CMAKE_INSTALL_DATADIR}/fish/vendor_completions.d)
install(FILES ${LX_STAGE}/copyright ${LX_STAGE}/changelog.gz DESTINATION ${LX_DOCDIR})

# The desktop program: its entry in the menu, its icon, its manual page and its metainfo.
if(LX_BUILD_GUI)
  install(FILES ${LX_STAGE}/lorvexandrin.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${LX_RESOURCES}/${LX_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${LX_STAGE}/${LX_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${LX_RESOURCES}/icons/${LX_APP_ID}.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  foreach(size 16 32 48 64 128 256)
    install(FILES ${LX_RESOURCES}/icons/hicolor/${size}x${size}/apps/${LX_APP_ID}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
endif()

# The Debian package: one package with both programs, libraries found by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lorvexandrin)
set(CPACK_PACKAGE_VENDOR Quorin)
set(CPACK_PACKAGE_CONTACT "${LX_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "rename photographs in bulk from their Exif dates")
# Debian shows the description as it stands: lines of at most 80 characters.
set(CPACK_PACKAGE_DESCRIPTION "\
Lorvexandrin renames digital photographs in bulk. Pick a folder, or a folder\n\
on a phone or camera, and a renaming mask such as %Y-%m-%d %H-%M-%S; see\n\
every file's current and new name beside its file date and the date the photo\n\
was taken; then rename in place, back up and rename, copy into a target\n\
folder, or copy and delete, without ever losing a photo.\n\
\n\
This package holds the Qt desktop program and the command-line program\n\
lorvexandrin-cli.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${LX_PROJECT_URL}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Qt Multimedia cannot make a media player without the GStreamer base plugins; the good
# plugins play the help videos, the Wayland plugin lets Qt run natively under Wayland.
if(LX_BUILD_GUI)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "gstreamer1.0-plugins-base")
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "gstreamer1.0-plugins-good, qt6-wayland")
endif()
include(CPack)
