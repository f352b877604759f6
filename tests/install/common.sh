# Shared by the install tests. Usage: . common.sh BUILD_FOLDER
set -euo pipefail
build=$1
source_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
tmp=$(mktemp -d)
cleanups=()
cleanup() {
  for c in "${cleanups[@]}"; do eval "$c" 2>/dev/null || true; done
  rm -rf "$tmp"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# The files an install puts under its prefix, one a line, sorted.
expected_files() { LC_ALL=C sort "$source_dir/tests/install/files.txt"; }

# The files under a folder, relative to it, sorted the same way; the program's
# own copies of the data (バックアップ) are not part of what was installed.
files_under() {
  (cd "$1" && find . -path ./バックアップ -prune -o \( -type f -o -type l \) -print |
    sed 's|^\./||' | LC_ALL=C sort)
}

# Fails unless the two folders hold the same files with the same bytes.
same_folder() {
  diff <(files_under "$1") <(files_under "$2") >&2 || fail "$1 and $2 hold different files"
  local f
  while read -r f; do
    cmp -s "$1/$f" "$2/$f" || fail "$1/$f differs from $2/$f"
  done < <(files_under "$1")
}
