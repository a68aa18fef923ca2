# The Debian package that `cpack` (scripts/package) builds from the install
# rules. Its dependencies are computed from the shared libraries the
# programs link (dpkg-shlibdeps).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME rererarovi)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Lo File Editor developers")
set(CPACK_PACKAGE_CONTACT "Lo File Editor developers <lo-editor@example.org>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${CPACK_PACKAGE_CONTACT})
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "editor for the object placement files (Lo files) of the game
Orvo Ri Dizo Rirori edits the game's Lo files (Lo*.dat): it lists every
record with the object's name from the game's catalogue (objdat.dat and
objdat.nam), shows one record's class, type, position, rotation, density
and state for editing and writes a saved record back into the file in
place, field by field. It also adds a zeroed record at the end, removes
the last one and keeps free-form notes.
.
The package also holds lodump, which prints a Lo file as the editor shows
it, for reading or comparing Lo files in a terminal, or in an exact text
form that loload writes back into a Lo file, byte for byte; lodiff, which
prints what changed between two Lo files record by record; lomerge, a
three-way merge of Lo files for git's merge driver; and lonames, which
prints the names of the catalogue's object kinds as text to share and
names them from such a text.")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
