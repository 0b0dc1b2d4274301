# The Debian package of the program: `cpack -G DEB` in a build folder gives
# zolt_<version>_<arch>.deb with the window program, zolt-calc, the desktop
# entry, the AppStream metainfo, the icon, the help pages, the manual pages,
# the bash completion, the copyright, the changelog, the project file's
# schema and the example projects. Its run-time dependencies are read
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

# What Debian asks of every package beside the programs: the copyright in
# machine-readable form, the changelog and the manual pages (the pages in
# Italian, as the programs speak, for every locale and for it_IT), the last
# two compressed as dh_compress does: gzip -9n keeps no name and no time, so
# the same sources give the same bytes.
find_program(ZOLT_GZIP gzip REQUIRED)
set(zolt_gzipped_dir ${CMAKE_BINARY_DIR}/gzipped)
set(zolt_gzipped)
foreach(source packaging/changelog man/zolt.1 man/zolt-calc.1)
  get_filename_component(name ${source} NAME)
  add_custom_command(OUTPUT ${zolt_gzipped_dir}/${name}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/${source} ${zolt_gzipped_dir}/${name}
    COMMAND ${ZOLT_GZIP} -9nf ${zolt_gzipped_dir}/${name}
    DEPENDS ${CMAKE_SOURCE_DIR}/${source}
    VERBATIM)
  list(APPEND zolt_gzipped ${zolt_gzipped_dir}/${name}.gz)
endforeach()
add_custom_target(zolt_gzipped_docs ALL DEPENDS ${zolt_gzipped})
install(FILES packaging/copyright ${zolt_gzipped_dir}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
foreach(dir man1 it/man1)
  install(FILES ${zolt_gzipped_dir}/zolt.1.gz ${zolt_gzipped_dir}/zolt-calc.1.gz
          DESTINATION ${CMAKE_INSTALL_MANDIR}/${dir})
endforeach()

# The changelog's newest entry and the metainfo's newest release name the
# version being packaged.
file(STRINGS packaging/changelog zolt_changelog_top LIMIT_COUNT 1)
file(READ resources/org.example.zolt.metainfo.xml zolt_metainfo)
string(REGEX MATCH "<release version=\"([^\"]*)\"" zolt_release "${zolt_metainfo}")
set(zolt_release ${CMAKE_MATCH_1})
if(NOT zolt_changelog_top MATCHES "^zolt \\(${CPACK_PACKAGE_VERSION}\\) "
   OR NOT zolt_release STREQUAL CPACK_PACKAGE_VERSION)
  message(FATAL_ERROR "packaging/changelog and the metainfo's releases must start with "
                      "version ${CPACK_PACKAGE_VERSION}")
endif()

include(CPack)
