# A Debian package from the install rules: cpack -G DEB in the build folder (scripts/package) writes
# vantoli_<version>_<arch>.deb. The libraries the programs need are worked out from the binaries by
# dpkg-shlibdeps; the fonts the windows ask for are added by name.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vantoli)
set(CPACK_PACKAGE_VENDOR "Vantoli developers")
set(CPACK_PACKAGE_CONTACT "Vantoli developers <maintainers@vantoli.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "plan a cassette dub of an audio CD")
set(CPACK_PACKAGE_DESCRIPTION "Vantoli picks the cassette for a dub and splits the tracks between
side A and side B. Type each track's playing time, read the times from the CD
in the drive, or read audio files, playlists and CUE sheets, and it chooses the
shortest tape that holds the music, optionally with five-second gaps between
tracks. It prints the cassette label, and vantoli-plan does the same planning
from a shell.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://vantoli.example.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-urw-base35, fonts-dejavu-extra, qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)
include(CPack)
