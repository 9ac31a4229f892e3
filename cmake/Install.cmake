# What `cmake --install` puts where, and the Debian package CPack makes of it
# (`make package`, or `cpack -G DEB` in a build folder).
#
#   bin/                                   vtr6420kdctl, vtr6420kd
#   lib/udev/rules.d/70-vtr6420kd.rules    hidraw access for the user at the seat
#   share/applications, share/metainfo     desktop entry and AppStream metadata
#   share/icons/hicolor/*/apps             the application icon, SVG and PNG sizes
#   share/man/man1                         manual pages (gzip-compressed)
#   share/bash-completion/completions      completion for vtr6420kdctl
#
# The desktop entry, its metadata, the icons and the editor's manual page come
# with the editor only (VTR_BUILD_GUI).

include(GNUInstallDirs)

set(VTR_APP_ID org.vtr6420kd.Editor)
set(VTR_ICON_NAME vtr6420kd)
# udev reads rules from /usr/lib/udev/rules.d and /usr/local/lib/udev/rules.d,
# so this stays relative to the prefix (not the multiarch libdir).
set(VTR_UDEV_RULES_DIR "lib/udev/rules.d" CACHE STRING
    "Where the udev rule is installed, relative to the prefix or absolute")
set(VTR_BASH_COMPLETION_DIR "${CMAKE_INSTALL_DATADIR}/bash-completion/completions" CACHE STRING
    "Where the bash completion is installed, relative to the prefix or absolute")

set(_vtr_packaging ${PROJECT_SOURCE_DIR}/packaging)
set(_vtr_gui OFF)
if(TARGET vtr6420kd)
  set(_vtr_gui ON)
endif()

# --- programs, rule, completion ---
install(TARGETS vtr6420kdctl RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(_vtr_gui)
  install(TARGETS vtr6420kd RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(FILES ${_vtr_packaging}/udev/70-vtr6420kd.rules DESTINATION ${VTR_UDEV_RULES_DIR})
install(FILES ${_vtr_packaging}/completion/vtr6420kdctl DESTINATION ${VTR_BASH_COMPLETION_DIR})

# --- manual pages, compressed the way Debian keeps them ---
set(_vtr_man_pages vtr6420kdctl.1)
if(_vtr_gui)
  list(APPEND _vtr_man_pages vtr6420kd.1)
endif()
set(_vtr_man_outputs)
foreach(page IN LISTS _vtr_man_pages)
  set(_out ${CMAKE_BINARY_DIR}/man/${page})
  add_custom_command(
    OUTPUT ${_out}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND ${CMAKE_COMMAND} -E copy ${_vtr_packaging}/man/${page} ${_out}
    COMMAND gzip -9nf ${_out}
    DEPENDS ${_vtr_packaging}/man/${page}
    COMMENT "Compressing the manual page ${page}"
    VERBATIM)
  list(APPEND _vtr_man_outputs ${_out}.gz)
endforeach()
add_custom_target(vtr_man_pages ALL DEPENDS ${_vtr_man_outputs})
install(FILES ${_vtr_man_outputs} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# --- desktop entry, metadata, icons ---
if(_vtr_gui)
  install(FILES ${_vtr_packaging}/desktop/${VTR_APP_ID}.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${_vtr_packaging}/metainfo/${VTR_APP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

  # The skin's own artwork where it exists, else the icon kept under packaging/.
  set(_vtr_icon_svg ${_vtr_packaging}/icons/${VTR_ICON_NAME}.svg)
  if(EXISTS ${PROJECT_SOURCE_DIR}/resources/icons/${VTR_ICON_NAME}.svg)
    set(_vtr_icon_svg ${PROJECT_SOURCE_DIR}/resources/icons/${VTR_ICON_NAME}.svg)
  endif()
  set(_vtr_hicolor ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
  install(FILES ${_vtr_icon_svg} DESTINATION ${_vtr_hicolor}/scalable/apps
          RENAME ${VTR_ICON_NAME}.svg)
  foreach(size 16 22 24 32 48 64 128 256)
    set(_png ${_vtr_packaging}/icons/${VTR_ICON_NAME}-${size}.png)
    if(size EQUAL 256 AND EXISTS ${PROJECT_SOURCE_DIR}/resources/skin/AppIcon.png)
      set(_png ${PROJECT_SOURCE_DIR}/resources/skin/AppIcon.png)
    endif()
    install(FILES ${_png} DESTINATION ${_vtr_hicolor}/${size}x${size}/apps
            RENAME ${VTR_ICON_NAME}.png)
  endforeach()
endif()

# --- Debian package ---
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vtr6420kd)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The VTR6420KD editor developers")
set(CPACK_PACKAGE_CONTACT "VTR6420KD editor developers <maintainers@vtr6420kd.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration editor for the VTR6420KD Gaming Mouse")
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Reads the configuration memory of the VTR6420KD Gaming Mouse (USB 1BCF:08A0),"
  "shows it as settings (button functions, CPI levels, lighting, fire key,"
  "macros) and writes changes back, which the mouse keeps."
  ""
  "vtr6420kd is the editor window, vtr6420kdctl the command-line tool. A udev"
  "rule lets the user logged in at the seat open the mouse without root.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps finds the libraries; what is loaded at run time is named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(_vtr_gui)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
endif()
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${_vtr_packaging}/debian/postinst ${_vtr_packaging}/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
