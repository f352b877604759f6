#!/usr/bin/env bash
# The Debian package holds the installed files under /usr, and its dependencies come
# from the libraries the program links.
. "$(dirname "$0")/common.sh"

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$tmp" >/dev/null
debs=("$tmp"/zumeri_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "no single zumeri_*.deb in $(ls "$tmp")"
deb=${debs[0]}

diff <(expected_files | sed 's|^|usr/|') \
  <(dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sed 's|^\./||' | LC_ALL=C sort) >&2 ||
  fail "the package's files differ (< expected, > packaged)"

depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libqcustomplot2.1-qt6 libchm1 libc6 fonts-noto-cjk; do
  grep -Eq "(^|, )$lib( |,|$)" <<<"$depends" || fail "Depends lacks $lib: $depends"
done
