# The Debian package, made by CPack from the install rules:
#   cpack --config BUILD/CPackConfig.cmake -G DEB     (scripts/package.sh does it all)
# The dependencies on shared libraries come from dpkg-shlibdeps. Two come on top: Qt loads
# its platform plugin (qt6-qpa-plugins) only at run time, where dpkg-shlibdeps cannot see
# it, and the windows are laid out in the font they ship with (fonts-liberation2).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${ECD_PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Expansion Chamber Design Utility team")
set(CPACK_PACKAGE_CONTACT ${ECD_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "design tuned exhaust expansion chambers for two-stroke engines")
set(CPACK_PACKAGE_DESCRIPTION
  "An engine tuner's assistant: from a few engine and design figures it
computes a tuned two-stroke exhaust expansion chamber (the tuned length and
every section's length and diameter), draws a dimensioned side view and
prints a design sheet. Four calculators stand beside it: BMEP from a
measured power output, exhaust port height from timing angles, and the
equivalent diameter of a rectangular and of a profiled port.

The command-line calculator expansion-chamber-calc runs the same checks for
scripted designs and writes full-size flat patterns of the chamber's cones
for cutting from sheet (PDF, SVG, DXF).")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${ECD_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(ECD_WITH_QT)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2")
endif()
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
