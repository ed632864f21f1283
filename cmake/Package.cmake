# `make package`: a Debian package of what cmake --install puts under /usr.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qv742-core)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${QV742_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration tool for USB gaming peripherals")
set(CPACK_PACKAGE_DESCRIPTION
"QV742-CORE reads and writes what the firmware of a family of USB gaming
peripherals holds: a mouse (wired or through its 2.4 GHz receiver), a
keyboard, a lit mouse pad and a USB headset. It sets DPI stages, report rate,
lighting effects, button and key assignments, macros and recoil patterns,
keeps profiles per product family and drives the headset's sound settings.
Simulated devices let the user try it without the hardware.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${QV742_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, not linked: Qt's X11 and Wayland platform plugins; the interface faces.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-core, fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${CMAKE_SOURCE_DIR}/data/linux/postinst ${CMAKE_SOURCE_DIR}/data/linux/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/packages)
include(CPack)
