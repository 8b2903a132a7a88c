# The Debian package: `cpack -G DEB` in a build folder makes vantrel_<version>_<arch>.deb
# with both programs in /usr/bin and the menu entry, icon, file type and examples under
# /usr/share. Its Depends line is worked out by dpkg-shlibdeps from the libraries the
# programs link, so it names exactly the wxWidgets, GL and Cairo packages they need
# (it needs dpkg-shlibdeps and file, which the install script installs).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vantrel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Kestrelmoor")
set(CPACK_PACKAGE_CONTACT "Kestrelmoor <vantrel@kestrelmoor.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Model-railway layout planner for sectional track")
# The summary above is the first line of the package's description; this is the rest.
string(JOIN "\n" CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Plans model-railway layouts with real sectional track (Marklin C, K and Z track and"
  "TRIX C track): pieces snap end to end on a 2D plan, with grades, helices, tunnels,"
  "several decks, a baseboard, scenery, labels, a 3D preview, true-scale printing and a"
  "parts list. vantrel-tool checks, converts and edits layout files without a display.")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.example.com/kestrelmoor")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Installed into the stage with DESTDIR and the prefix /usr, so that the menu entry names
# /usr/bin/vantrel and not the stage; dpkg's triggers refresh the desktop's caches.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
