# Installing the program as a desktop program, and the tests of the installed files.
#
# The program works in its current directory, so what the user starts is a launcher:
# bin/zumeri is a small shell script that picks the data folder, fills it from the
# installed sample the first time, changes into it and starts the program, which lies
# in libexec/zumeri. The program itself stays unaware of where it is installed.
include(GNUInstallDirs)

# Where the program is published: the AppStream data points its screenshot there, and
# its AppStream id is that domain reversed. Set both before publishing the package.
set(ZUMERI_HOMEPAGE "https://zumeri.example" CACHE STRING "The program's home page")
set(ZUMERI_APPSTREAM_ID example.zumeri.zumeri)

install(TARGETS zumeri RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/zumeri)

# The launcher finds the program and the data relative to itself.
file(RELATIVE_PATH ZUMERI_BIN_TO_LIBEXEC
  ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBEXECDIR}/zumeri)
file(RELATIVE_PATH ZUMERI_BIN_TO_DATA
  ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR}/zumeri)
configure_file(src/launcher/zumeri.in launcher/zumeri @ONLY)
install(PROGRAMS ${CMAKE_CURRENT_BINARY_DIR}/launcher/zumeri DESTINATION ${CMAKE_INSTALL_BINDIR})

install(DIRECTORY data/sample/ DESTINATION ${CMAKE_INSTALL_DATADIR}/zumeri/sample)
install(FILES help/ZumexHelp.chm DESTINATION ${CMAKE_INSTALL_DATADIR}/zumeri)

install(FILES packaging/zumeri.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(DIRECTORY data/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
configure_file(packaging/${ZUMERI_APPSTREAM_ID}.metainfo.xml.in ${ZUMERI_APPSTREAM_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${ZUMERI_APPSTREAM_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Debian wants the manual page and the changelog compressed, without a time stamp.
function(zumeri_gzip source target)
  add_custom_command(OUTPUT ${target}
    COMMAND gzip -9nc ${CMAKE_CURRENT_SOURCE_DIR}/${source} > ${target}
    DEPENDS ${source} VERBATIM)
endfunction()
zumeri_gzip(packaging/zumeri.1 zumeri.1.gz)
zumeri_gzip(packaging/changelog changelog.gz)
add_custom_target(zumeri_gzipped DEPENDS
  ${CMAKE_CURRENT_BINARY_DIR}/zumeri.1.gz ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
add_dependencies(zumeri zumeri_gzipped)  # built with the program, so that it installs
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/zumeri.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES packaging/copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DOCDIR})

if(ZUMERI_TESTS)
  foreach(test files launcher package)
    add_test(NAME install.${test}
      COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tests/install/${test}.sh ${CMAKE_CURRENT_BINARY_DIR})
  endforeach()
  set_tests_properties(install.files install.launcher install.package PROPERTIES TIMEOUT 60
    ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/tests/lsan.supp")
endif()
