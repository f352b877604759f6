#!/usr/bin/env python3
"""zumeri --export-csv on a copy of the sample data, read back with Python's csv
module: a row per record under the header, running totals that add up from the
plain amounts, texts a spreadsheet would take for formulas kept as text; a folder
that cannot be made named on standard error with a failing status. Also the rest
of the command line: --help, and what the program does not know."""
import csv
import os
import shutil
import subprocess
import sys
import tempfile

program, sample = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)


def run(args, cwd, caller):
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    env["ZUMERI_CALLER_DIR"] = caller
    return subprocess.run([program] + args, cwd=cwd, env=env, capture_output=True, timeout=50)


with tempfile.TemporaryDirectory() as tmp:
    data = os.path.join(tmp, "data")
    shutil.copytree(sample, data)
    with open(os.path.join(data, "テーマ１.txt"), "ab") as f:
        for item in ("=1+2", "@SUM(A1)", "-5円", "a,b"):
            f.write(f'"2005年02月01日","{item}",100\r\n'.encode("cp932"))

    done = run(["--export-csv", "書き出し"], data, tmp)
    check(done.returncode == 0, f"exit status {done.returncode}: {done.stderr.decode()}")
    tables = {}
    for name in os.listdir(data):
        if not name.lower().endswith(".txt") or name.startswith(("テーマ名", "設定", "目標")):
            continue
        base = name.rsplit(".", 1)[0]
        with open(os.path.join(tmp, "書き出し", base + ".csv"), encoding="utf-8-sig", newline="") as f:
            rows = tables[base] = list(csv.reader(f))
        records = [line for line in open(os.path.join(data, name), encoding="cp932") if line.strip()]
        check(len(rows) == len(records) + 1, f"{base}: {len(rows) - 1} rows for {len(records)} records")
    for base in ("３６５歩のマーチ", "小銭清算", "テーマ１", "テーマ２", "テーマ３"):
        running = 0.0
        for row in tables[base][1:]:
            running += float(row[-2])
            check(abs(float(row[-1]) - running) < 1e-6, f"{base}: running total {row[-1]}")
    items = [row[2] for row in tables["テーマ１"][-4:]]
    check(items == ["'=1+2", "'@SUM(A1)", "'-5円", "a,b"], f"texts as formulas: {items}")

    open(os.path.join(tmp, "a file"), "w").close()
    failed = run(["--export-csv", os.path.join(tmp, "a file", "x")], data, tmp)
    check(failed.returncode != 0, "no failure for a folder inside a file")
    check("書き出せません" in failed.stderr.decode() and "a file" in failed.stderr.decode(),
          f"message: {failed.stderr.decode()}")
    # Said in Japanese with status 1, not aborted: a working folder removed
    # under the program, an output folder's name too long, a dangling link
    # where the output folder belongs.
    gone = ["sh", "-c", 'mkdir gone && cd gone && rmdir ../gone && exec "$0" "$@"', program]
    os.symlink(os.path.join(tmp, "nowhere"), os.path.join(tmp, "dangling"))
    for args, cwd, said in ((["--remind"], None, "データフォルダを開けません（見つかりません）"),
                            (["--export-csv", "x"], None, "データフォルダを開けません（見つかりません）"),
                            (["--export-csv", "a" * 300], data, "名前が長すぎます"),
                            (["--export-csv", "dangling"], data, "すでに存在します")):
        if cwd is None:
            env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
            done = subprocess.run(gone + args, cwd=tmp, env=env, capture_output=True, timeout=50)
        else:
            done = run(args, cwd, tmp)
        err = done.stderr.decode()
        check(done.returncode == 1 and said in err and "filesystem" not in err, f"{args}: {done.returncode} {err!r}")
    shown = run(["--help"], tmp, tmp)
    text = shown.stdout.decode()
    check(shown.returncode == 0 and "--export-csv" in text, f"--help: {text!r}")
    # Named as typed, in Japanese throughout.
    check(text.startswith("使い方: zumeri [オプション]\n"), f"--help: {text!r}")
    check("Displays" not in text and "help-all" not in text, f"--help: {text!r}")
    # What the program does not know ends it at once with status 2, also
    # without a display, pointing to --help.
    for args, said in ((["--bogus"], "不明なオプションです：--bogus"), (["foo"], "不明な引数です：foo"),
                       (["--remind", "--at", "25:00"], "HH:MM"), (["--at", "10:00"], "--remind")):
        refused = run(args, tmp, tmp)
        err = refused.stderr.decode()
        check(refused.returncode == 2 and said in err and "zumeri" in err, f"{args}: {refused.returncode} {err!r}")

for f in failures:
    print("FAIL:", f)
sys.exit(1 if failures else 0)
