# The Debian package (cpack -G DEB in the build folder):
#   /usr/bin/orvanta                                   the program
#   /usr/lib/aax/Orvanta.aaxplugin                     the module bundle it loads by default
#   /usr/lib/lv2/orvanta.lv2                           the LV2 bundle
#   /usr/share/man/man1/orvanta.1.gz                   the manual page
#   /usr/share/bash-completion/completions/orvanta     bash completion
#   /usr/share/doc/orvanta/{copyright,changelog.gz}
# The manual page and the completion are generated from the built
# program's help texts, so they name exactly its commands and options.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
find_program(GZIP_PROGRAM gzip REQUIRED)

set(package_files ${PROJECT_BINARY_DIR}/package)
set(docs_script ${PROJECT_SOURCE_DIR}/tools/package/orvanta_docs.py)
set(manpage ${package_files}/orvanta.1)
set(completion ${package_files}/orvanta)
configure_file(${PROJECT_SOURCE_DIR}/resources/package/changelog.in ${package_files}/changelog @ONLY)

add_custom_command(OUTPUT ${manpage}.gz
  COMMAND ${Python3_EXECUTABLE} ${docs_script} manpage $<TARGET_FILE:orvanta> ${PROJECT_VERSION} ${manpage}
  COMMAND ${GZIP_PROGRAM} -9nf ${manpage}
  DEPENDS orvanta Orvanta ${docs_script}
  COMMENT "Manual page orvanta(1)"
  VERBATIM)
add_custom_command(OUTPUT ${completion}
  COMMAND ${Python3_EXECUTABLE} ${docs_script} completion $<TARGET_FILE:orvanta> ${completion}
  DEPENDS orvanta Orvanta ${docs_script}
  COMMENT "Bash completion for orvanta"
  VERBATIM)
add_custom_command(OUTPUT ${package_files}/changelog.gz
  COMMAND ${GZIP_PROGRAM} -9nkf ${package_files}/changelog
  DEPENDS ${package_files}/changelog
  VERBATIM)
add_custom_target(orvanta_package_files ALL DEPENDS ${manpage}.gz ${completion} ${package_files}/changelog.gz)

install(FILES ${manpage}.gz DESTINATION share/man/man1)
install(FILES ${completion} DESTINATION share/bash-completion/completions)
install(FILES ${PROJECT_SOURCE_DIR}/resources/package/copyright ${package_files}/changelog.gz
  DESTINATION share/doc/orvanta)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvanta)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Quillfern")
set(CPACK_PACKAGE_CONTACT "Quillfern <packages@quillfern.audio>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES TRUE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # orvanta_<version>_<arch>.deb
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://quillfern.audio/")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
# Library dependencies as dpkg-shlibdeps finds them in the binaries; the
# cairo driver is a plotting library plug-in that orvanta analyze loads at
# run time, which no binary names.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "plplot-driver-cairo")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "lilv-utils")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "harmonic-colour audio effect (LV2 plug-in and command-line tool)")
# The synopsis comes from the summary; CPack indents the body and turns its
# empty line into the paragraph separator.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Orvanta colours a signal with harmonics. A sine-like transfer curve, emphasis
filters and a small harmonic polynomial form a colour signal that Harmonic
blends with the dry input; a delay line steered by the signal adds a Dynamic
part. Five colour types (Silver, Gold, Rich, Fat, Deep) set its character.

The package holds the effect as mono and stereo LV2 plug-ins with factory
presets, and the orvanta program, which renders audio files through the
effect, saves and shows presets, measures and plots each colour type's
harmonics and frequency response, and validates the plug-in module.")
include(CPack)
