# The Debian package of the program: `cpack -G DEB` in a build folder gives
# zolt_<version>_<arch>.deb with the window program, zolt-calc, the desktop
# entry, the icon, the help pages, the project file's schema and the example
# projects. Its run-time dependencies are read
# off the binaries by dpkg-shlibdeps, so `apt-get install ./zolt_*.deb`
# pulls in the Qt libraries the program was built against.
set(CPACK_PACKAGE_NAME "zolt")
set(CPACK_PACKAGE_VENDOR "Orvane Informatica")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}.0")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Bearing capacity of shallow foundations (Terzaghi, Meyerhof, Hansen, Vesic)")
set(CPACK_PACKAGE_DESCRIPTION
    "ZOLT computes the bearing capacity of a shallow foundation on soil by the\n\
methods of Terzaghi, Meyerhof, Hansen and Vesic, shows every factor, verifies\n\
the footing to NTC 2018 and Eurocode 7, compares the methods, runs parametric\n\
and probabilistic studies and writes an Italian calculation report. The\n\
package holds the window program zolt and the command-line calculator\n\
zolt-calc.")
set(CPACK_PACKAGE_CONTACT "ZOLT maintainers <zolt@example.org>")
set(CPACK_GENERATOR "DEB")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "science")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt finds its fonts through fontconfig; DejaVu is the font the dialogs are
# laid out with.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)
# Only what the program needs at run time: no test or benchmark targets
# are installed, and nothing is installed from the sanitizer builds.
include(CPack)
