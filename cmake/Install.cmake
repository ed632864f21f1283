# What `cmake --install` puts under the prefix: programs in bin/, the program folder's data in
# share/qv742-core/ (found by the installed program as ../share/qv742-core), the desktop entry,
# the icon, the AppStream metainfo, the udev rule and the package's documents.
# The desktop entry is named after the program: Qt gives the window that app id on Wayland.

set(QV742_APP_ID org.qv742.Core)
set(QV742_HOMEPAGE "https://github.com/qv742/qv742-core" CACHE STRING "Project home page")
set(QV742_SCREENSHOT_URL "${QV742_HOMEPAGE}/raw/main/docs/images" CACHE STRING
    "Where the screenshots named in the AppStream metainfo are published")
set(QV742_PROJECT_LICENSE "MIT" CACHE STRING "SPDX licence of the project")
set(QV742_MAINTAINER "QV742-CORE developers <maintainers@qv742.org>" CACHE STRING
    "Package maintainer")
# udev reads /usr/lib/udev/rules.d (and /etc/udev/rules.d); a /usr/local prefix is not read.
set(QV742_UDEV_RULES_DIR "lib/udev/rules.d" CACHE STRING "udev rules folder under the prefix")

foreach(program qv742-core qv742-msg qv742-audiorecord)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION bin)
  endif()
endforeach()

foreach(folder skin DefaultData Font SDK)
  if(EXISTS ${CMAKE_SOURCE_DIR}/data/${folder})
    install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/${folder} DESTINATION share/qv742-core)
  endif()
endforeach()

install(FILES ${CMAKE_SOURCE_DIR}/data/linux/qv742-core.desktop DESTINATION share/applications)
configure_file(${CMAKE_SOURCE_DIR}/data/linux/${QV742_APP_ID}.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/linux/${QV742_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/linux/${QV742_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/data/udev/70-qv742-core.rules DESTINATION ${QV742_UDEV_RULES_DIR})

# The icon: the logo as the scalable size and PNGs rendered from it for the fixed sizes.
set(QV742_LOGO ${CMAKE_SOURCE_DIR}/data/skin/common/logo.svg)
install(FILES ${QV742_LOGO} DESTINATION share/icons/hicolor/scalable/apps RENAME qv742-core.svg)
find_program(RSVG_CONVERT rsvg-convert)
if(RSVG_CONVERT)
  set(icon_files)
  foreach(size 16 22 24 32 48 64 128 256)
    set(icon ${CMAKE_BINARY_DIR}/icons/${size}x${size}/qv742-core.png)
    add_custom_command(OUTPUT ${icon}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}x${size}
      COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${icon} ${QV742_LOGO}
      DEPENDS ${QV742_LOGO} VERBATIM)
    list(APPEND icon_files ${icon})
    install(FILES ${icon} DESTINATION share/icons/hicolor/${size}x${size}/apps)
  endforeach()
  add_custom_target(qv742_icons ALL DEPENDS ${icon_files})
else()
  message(WARNING "rsvg-convert not found (Debian: librsvg2-bin): only the scalable icon is installed")
endif()

# qv742_gzip_file(SOURCE OUTPUT): OUTPUT is SOURCE compressed reproducibly (no name, no time).
function(qv742_gzip_file source output)
  add_custom_command(OUTPUT ${output}
    COMMAND gzip -9n -c ${source} > ${output}
    DEPENDS ${source})
  get_filename_component(name ${output} NAME)
  add_custom_target(qv742_gzip_${name} ALL DEPENDS ${output})
endfunction()

foreach(page qv742-core qv742-msg)
  qv742_gzip_file(${CMAKE_SOURCE_DIR}/data/linux/${page}.1 ${CMAKE_BINARY_DIR}/linux/${page}.1.gz)
  install(FILES ${CMAKE_BINARY_DIR}/linux/${page}.1.gz DESTINATION share/man/man1)
endforeach()

# Debian's documents: the copyright file and the changelog.
configure_file(${CMAKE_SOURCE_DIR}/data/linux/copyright.in ${CMAKE_BINARY_DIR}/linux/copyright @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/data/linux/changelog.in ${CMAKE_BINARY_DIR}/linux/changelog @ONLY)
qv742_gzip_file(${CMAKE_BINARY_DIR}/linux/changelog ${CMAKE_BINARY_DIR}/linux/changelog.gz)
install(FILES ${CMAKE_BINARY_DIR}/linux/copyright ${CMAKE_BINARY_DIR}/linux/changelog.gz
        DESTINATION share/doc/qv742-core)
