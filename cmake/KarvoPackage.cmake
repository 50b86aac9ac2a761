# `cpack -G DEB` in a build tree: one .deb with the programs, the data files
# and sounds, the udev rule, the desktop entry and the icon, installed under
# /usr. Both programs find their data in ../share/karvo beside their bin/.
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "karvo")
set(CPACK_PACKAGE_VENDOR "KARVO Mk2 project")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "control program of the KARVO Mk2 USB chip programmer")
set(CPACK_PACKAGE_DESCRIPTION
    "Selects a chip from the device catalogue, loads Intel HEX, S-record, binary, INH8M, INX16 and JEDEC files into the buffer, edits it, and reads, blank-checks, programs, verifies and erases the chip in the programmer's socket. karvo is the window, karvo-cli the same program for scripts; both run against a virtual programmer (--virtual) without hardware.")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "KARVO Mk2 project <karvo@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION "electronics")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://localhost/karvo")
set(CPACK_DEBIAN_COMPRESSION_TYPE "gzip")
# The libraries the programs link, as dpkg-shlibdeps finds them; the names by
# hand where it is missing. The window's platform plugin comes with
# libqt6gui6, its sound backend with libqt6multimedia6.
find_program(KARVO_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(KARVO_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
      "libc6, libstdc++6, libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), libqt6multimedia6 (>= 6.4), libhidapi-hidraw0, libfmt9, zlib1g")
endif()
# The udev rule takes effect without a replug.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "udev")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA "${CMAKE_CURRENT_LIST_DIR}/deb/postinst")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
