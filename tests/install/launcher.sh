#!/usr/bin/env bash
# The installed launcher under a prefix of its own. The first start from an empty
# XDG_DATA_HOME fills the data folder from the sample and opens the main window there,
# on the 365-step page; later starts keep the user's files and bring back only the
# help file.
. "$(dirname "$0")/common.sh"

prefix="$tmp/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
export HOME="$tmp/home"
export XDG_DATA_HOME="$tmp/xdg"
mkdir -p "$HOME" "$XDG_DATA_HOME"
data="$XDG_DATA_HOME/zumeri"

# A display of our own: Xvfb picks a free number and writes it to fd 3 once it is ready.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$tmp/display" 2>/dev/null &
cleanups+=("kill $!")
for _ in $(seq 100); do
  [ -s "$tmp/display" ] && break
  sleep 0.1
done
[ -s "$tmp/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(cat "$tmp/display")"
export QT_QPA_PLATFORM=xcb  # the tests run offscreen; this one looks at real windows

# The real program, as the menu starts it. Once the window is there (start-up has loaded
# every ledger, and no failure message nor guide window is shown, which with the sample's
# records means the 365-step page) it is still running, in the data folder.
"$prefix/bin/zumeri" >"$tmp/program.log" 2>&1 &
pid=$!
cleanups+=("kill $pid; wait $pid")
"$source_dir/scripts/wait-main-window" 40 >/dev/null || fail "no main window alone: $(cat "$tmp/program.log")"
kill -0 "$pid" 2>/dev/null || fail "the program ended"
[ "$(readlink "/proc/$pid/cwd")" = "$data" ] || fail "the program does not run in $data"
kill "$pid"
wait "$pid" || true
cmp "$prefix/share/zumeri/ZumexHelp.chm" "$data/ZumexHelp.chm"
rm "$data/ZumexHelp.chm"
same_folder "$prefix/share/zumeri/sample" "$data"

# A second savings book named where the command was typed: filled from the sample and
# named in the title. A second start on it brings its window back above another book's
# (on a display without a window manager, raising restacks at once) and waits at its
# message. xwininfo lists the windows from the top down.
mkdir -p "$tmp/typed"
(cd "$tmp/typed" && exec "$prefix/bin/zumeri" --data-dir book2) >"$tmp/book2.log" 2>&1 &
book2=$!
cleanups+=("kill $book2; wait $book2")
"$source_dir/scripts/wait-main-window" 40 "ズメリ貯金Ｐｒｏ － book2" >/dev/null ||
  fail "no window titled with book2: $(cat "$tmp/book2.log")"
[ "$(readlink "/proc/$book2/cwd")" = "$tmp/typed/book2" ] || fail "book2 is not where it was typed"
place_of() {
  LC_ALL=C.UTF-8 xwininfo -root -children | grep -n "\"ズメリ貯金Ｐｒｏ － $1\": (\"zumeri\"" | cut -d: -f1 | head -1
}
(cd "$tmp/typed" && ZUMERI_DATA_DIR=book3 exec "$prefix/bin/zumeri") >"$tmp/book3.log" 2>&1 &
book3=$!
cleanups+=("kill $book3; wait $book3")
for _ in $(seq 200); do
  [ -n "$(place_of book3)" ] && break
  sleep 0.2
done
[ "$(place_of book3)" -lt "$(place_of book2)" ] || fail "book3's window did not open above book2's"
"$prefix/bin/zumeri" --data-dir="$tmp/typed/book2/" >"$tmp/again.log" 2>&1 &
again=$!
cleanups+=("kill $again; wait $again")
for _ in $(seq 100); do
  [ "$(place_of book2)" -lt "$(place_of book3)" ] && break
  sleep 0.2
done
[ "$(place_of book2)" -lt "$(place_of book3)" ] || fail "a second start on book2 did not bring its window forward"
kill -0 "$again" 2>/dev/null || fail "the second start on book2 did not wait at its message"
kill "$again" "$book3" "$book2"
wait "$again" "$book3" "$book2" || true
rm "$tmp/typed/book2/ZumexHelp.chm"
same_folder "$prefix/share/zumeri/sample" "$tmp/typed/book2"

# The launcher alone, with a stand-in program that tells where it was started and how.
cat >"$prefix/libexec/zumeri/zumeri" <<'STUB'
#!/bin/sh
printf '%s|%s\n' "$(pwd)" "$*" >"$HOME/started-in"
STUB
started_in() {
  rm -f "$HOME/started-in"
  "$@"
  cat "$HOME/started-in"
}

# A later start keeps the user's files and brings back the help file that went missing.
echo '"changed"' >"$data/設定.txt"
[ "$(started_in "$prefix/bin/zumeri" -a b)" = "$data|-a b" ] || fail "second start"
# Started by a relative path, as from a terminal in the prefix.
[ "$(cd "$prefix" && started_in bin/zumeri)" = "$data|" ] || fail "a start by a relative path"
[ "$(cat "$data/設定.txt")" = '"changed"' ] || fail "a later start overwrote the settings"
cmp "$prefix/share/zumeri/ZumexHelp.chm" "$data/ZumexHelp.chm"

# Without XDG_DATA_HOME, or with a relative one, the folder is ~/.local/share/zumeri; a
# data folder that exists but is empty is filled. A link to the launcher finds the install.
home_data="$HOME/.local/share/zumeri"
mkdir -p "$home_data" "$tmp/elsewhere"
ln -s "$prefix/bin/zumeri" "$tmp/elsewhere/zumeri"
[ "$(XDG_DATA_HOME=relative started_in "$tmp/elsewhere/zumeri")" = "$home_data|" ] ||
  fail "a relative XDG_DATA_HOME is not ignored"
rm "$home_data/ZumexHelp.chm"
same_folder "$prefix/share/zumeri/sample" "$home_data"
rm -r "$home_data"
[ "$(started_in env -u XDG_DATA_HOME "$prefix/bin/zumeri")" = "$home_data|" ] ||
  fail "without XDG_DATA_HOME"
[ -f "$home_data/ZumexHelp.chm" ] || fail "the first start brought no help file"
[ "$(ls -A "$HOME/.local/share")" = zumeri ] || fail "the first start left something beside the data folder"

# --data-dir and ZUMERI_DATA_DIR, the option first: the folder is filled the first time and
# passed on whole; one that cannot be made is said, with nothing left behind; a command that
# only reads never makes one.
[ "$(cd "$tmp/elsewhere" && ZUMERI_DATA_DIR=book5 started_in "$prefix/bin/zumeri" -a --data-dir book4/ b)" = \
  "$tmp/elsewhere/book4|--data-dir=$tmp/elsewhere/book4 -a b" ] || fail "--data-dir"
[ ! -e "$tmp/elsewhere/book5" ] || fail "ZUMERI_DATA_DIR won over --data-dir"
rm "$tmp/elsewhere/book4/ZumexHelp.chm"
same_folder "$prefix/share/zumeri/sample" "$tmp/elsewhere/book4"
[ "$(ZUMERI_DATA_DIR="$tmp/book6" started_in "$prefix/bin/zumeri")" = "$tmp/book6|--data-dir=$tmp/book6" ] ||
  fail "ZUMERI_DATA_DIR"
touch "$tmp/afile"
rm -f "$HOME/started-in"
if "$prefix/bin/zumeri" --data-dir "$tmp/afile/book" 2>"$tmp/said"; then fail "a folder under a file was made"; fi
grep -q "データフォルダを作れません：$tmp/afile/book" "$tmp/said" || fail "no reason for an unmakeable folder: $(cat "$tmp/said")"
[ ! -e "$HOME/started-in" ] && [ -z "$(find "$tmp" -maxdepth 1 -name '.zumeri.*')" ] || fail "a failed start left something"
if "$prefix/bin/zumeri" --data-dir "$tmp/book7" --export-csv out 2>"$tmp/said"; then fail "export from no folder"; fi
grep -q "データフォルダがありません：$tmp/book7" "$tmp/said" && [ ! -e "$tmp/book7" ] || fail "export made a folder"

# Taking the data out only reads: an empty data folder is not filled, and the program
# is told where the command was typed, for a relative folder.
cat >"$prefix/libexec/zumeri/zumeri" <<'STUB'
#!/bin/sh
printf '%s|%s|%s\n' "$(pwd)" "$*" "$ZUMERI_CALLER_DIR" >"$HOME/started-in"
STUB
rm -r "$home_data"
mkdir -p "$home_data"
[ "$(cd "$tmp/elsewhere" && started_in env -u XDG_DATA_HOME "$prefix/bin/zumeri" --export-csv out)" = \
  "$home_data|--export-csv out|$tmp/elsewhere" ] || fail "--export-csv is not started in the data folder"
[ -z "$(ls -A "$home_data")" ] || fail "--export-csv filled the data folder"
