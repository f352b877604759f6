#!/usr/bin/env bash
# An install into a temporary DESTDIR: every file in its place, the data as shipped, the
# desktop entry and the AppStream data valid and pointing at what is installed.
. "$(dirname "$0")/common.sh"

root="$tmp/root"
DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null
usr="$root/usr"

diff <(expected_files) <(files_under "$usr") >&2 || fail "the installed files differ (< expected, > installed)"

same_folder "$source_dir/data/sample" "$usr/share/zumeri/sample"
cmp "$source_dir/help/ZumexHelp.chm" "$usr/share/zumeri/ZumexHelp.chm"
[ -x "$usr/bin/zumeri" ] && [ -x "$usr/libexec/zumeri/zumeri" ] || fail "launcher or program not executable"
sh -n "$usr/bin/zumeri" || fail "the launcher is not a valid shell script"

for size in 48 128 256; do
  got=$(identify -format '%wx%h' "$usr/share/icons/hicolor/${size}x${size}/apps/zumeri.png")
  [ "$got" = "${size}x${size}" ] || fail "the ${size}px icon is $got"
done

desktop="$usr/share/applications/zumeri.desktop"
metainfo="$usr/share/metainfo/example.zumeri.zumeri.metainfo.xml"
desktop-file-validate "$desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"

# The entry starts the installed launcher, shows the installed icon, and is the one the
# AppStream data launches.
grep -qx 'Exec=zumeri' "$desktop" || fail "Exec is not the installed launcher"
grep -qx 'Icon=zumeri' "$desktop" || fail "Icon is not the installed icon"
grep -q '<launchable type="desktop-id">zumeri.desktop</launchable>' "$metainfo" ||
  fail "the AppStream data does not launch zumeri.desktop"
