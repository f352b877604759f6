#!/usr/bin/env python3
"""zumeri --export-csv on a copy of the sample data, read back with Python's csv
module: every ledger's rows and cells, plain numbers that add up, ISO dates, text
that a spreadsheet would take for a formula kept as text; the data folder left as
it was; a folder that cannot be written named on standard error."""
import csv
import hashlib
import io
import os
import re
import shutil
import subprocess
import sys
import tempfile

program, sample = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)


def snapshot(folder):
    return {n: hashlib.sha256(open(os.path.join(folder, n), "rb").read()).hexdigest()
            for n in sorted(os.listdir(folder))}


def run(args, cwd, caller):
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    env["ZUMERI_CALLER_DIR"] = caller
    return subprocess.run([program] + args, cwd=cwd, env=env, capture_output=True, timeout=50)


with tempfile.TemporaryDirectory() as tmp:
    data = os.path.join(tmp, "data")
    shutil.copytree(sample, data)
    # Items a spreadsheet would read as formulas, and one with a comma.
    theme = os.path.join(data, "テーマ１.txt")
    with open(theme, "ab") as f:
        for item in ("=1+2", "@SUM(A1)", "-5円", "a,b"):
            f.write(f'"2005年02月01日","{item}",100\r\n'.encode("cp932"))
    before = snapshot(data)

    done = run(["--export-csv", "書き出し"], data, tmp)
    check(done.returncode == 0, f"exit status {done.returncode}: {done.stderr.decode()}")
    check(snapshot(data) == before, "the data folder changed")
    out = os.path.join(tmp, "書き出し")

    ledgers = {"３６５歩のマーチ": "３６５歩のマーチ.TXT", "３６５歩履歴": "３６５歩履歴.txt",
               "小銭清算": "小銭清算.txt", "テーマ１": "テーマ１.txt", "テーマ２": "テーマ２.txt",
               "テーマ３": "テーマ３.txt", "項目１": "項目１.txt", "項目２": "項目２.txt",
               "項目３": "項目３.txt", "貯金目標": "貯金目標.txt"}
    tables = {}
    for name in list(ledgers) + ["日別の貯金履歴", "月別の貯金履歴"]:
        path = os.path.join(out, name + ".csv")
        if not os.path.exists(path):
            check(False, f"{name}.csv missing")
            continue
        raw = open(path, "rb").read()
        check(raw.startswith(b"\xef\xbb\xbf"), f"{name}: no byte-order mark")
        check(raw.count(b"\n") == raw.count(b"\r\n"), f"{name}: a line end is not CR LF")
        rows = list(csv.reader(io.StringIO(raw.decode("utf-8-sig"), newline="")))
        check(len({len(r) for r in rows}) == 1, f"{name}: rows of different lengths")
        tables[name] = rows
        if name in ledgers:
            text = open(os.path.join(data, ledgers[name]), "rb").read().decode("cp932")
            records = [line for line in text.splitlines() if line.strip()]
            check(len(rows) == len(records) + 1, f"{name}: {len(rows) - 1} rows for {len(records)} records")

    iso = re.compile(r"^\d{4}-\d{2}-\d{2}$")
    for name in ("３６５歩のマーチ", "小銭清算", "テーマ１", "テーマ２", "テーマ３"):
        rows = tables.get(name, [[]])
        running = 0.0
        for row in rows[1:]:
            check(bool(iso.match(row[1])), f"{name}: date {row[1]}")
            running += float(row[-2])
            check(abs(float(row[-1]) - running) < 1e-6, f"{name}: running total {row[-1]}")
    items = [row[2] for row in tables.get("テーマ１", [])[-4:]]
    check(items == ["'=1+2", "'@SUM(A1)", "'-5円", "a,b"], f"texts as formulas: {items}")
    days = tables.get("日別の貯金履歴", [[]])
    check(all(iso.match(r[1]) for r in days[1:]), "daily history dates")
    months = tables.get("月別の貯金履歴", [[]])
    check(all(re.match(r"^\d{4}-\d{2}$", r[1]) for r in months[1:]), "monthly history months")
    check(abs(float(days[-1][-1]) - float(months[-1][-1])) < 1e-6, "the histories end on different totals")

    # A folder that cannot be made: a Japanese message naming it, a failing status.
    open(os.path.join(tmp, "a file"), "w").close()
    failed = run(["--export-csv", os.path.join(tmp, "a file", "x")], data, tmp)
    check(failed.returncode != 0, "no failure for a folder inside a file")
    check("書き出せません" in failed.stderr.decode() and "a file" in failed.stderr.decode(),
          f"message: {failed.stderr.decode()}")
    check(snapshot(data) == before, "the data folder changed after a failure")

    for option in ("--help", "--version"):
        shown = run([option], tmp, tmp)
        check(shown.returncode == 0 and b"zumeri" in shown.stdout, f"{option}: {shown.stdout!r}")
    check("--export-csv" in run(["--help"], tmp, tmp).stdout.decode(), "--help names --export-csv")

for f in failures:
    print("FAIL:", f)
sys.exit(1 if failures else 0)
