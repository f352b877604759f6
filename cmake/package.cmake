# The Debian package: cpack -G DEB in a build folder (scripts/package does it all).
# Include after every install rule.
set(CPACK_PACKAGE_NAME zumeri)
set(CPACK_PACKAGE_VENDOR "Zumeri maintainers")
set(CPACK_PACKAGE_CONTACT "Zumeri maintainers <maintainers@zumeri.example>"
  CACHE STRING "The Maintainer field of the Debian package")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Japanese savings tracker: 365-step, small-change and theme savings")
set(CPACK_PACKAGE_DESCRIPTION "ズメリ貯金Ｐｒｏ records savings of five kinds side by side: the 365-step
savings (one yen on the first day, N yen on day N), small-change settlement,
and three theme ledgers of the user's own naming. It keeps savings goals and
daily and monthly history with charts. Every change is written at once to
small Shift-JIS text files in ~/.local/share/zumeri. The interface is in
Japanese.")
set(CPACK_PACKAGE_HOMEPAGE_URL ${ZUMERI_HOMEPAGE})
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from what the program links; the rest it needs at run time.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk, qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
