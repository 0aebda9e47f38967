"""What the package's tests share: the tovex command to compare with (the
test build's, named by TOVEX_COMMAND), the example plants and a scratch
folder per test."""
import csv
import json
import os
import subprocess

import pytest

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
EXAMPLES = [os.path.join(ROOT, "examples", name) for name in ("ethylene-plant.json", "sim-case-plant.json")]


def command(*args, cwd=None):
    """Runs the tovex command; returns the finished process."""
    program = os.environ.get("TOVEX_COMMAND", os.path.join(ROOT, "build", "test", "bin", "tovex"))
    return subprocess.run([program, *map(str, args)], cwd=cwd, capture_output=True, text=True)


def command_run(plant, folder):
    """`tovex run PLANT --json --csv` in `folder`: its JSON, its tables by
    name (header and rows as text) and its report files' bytes."""
    out = os.path.join(folder, "out")
    tables = os.path.join(folder, "tables")
    done = command("run", plant, "--dir", out, "--json", "--csv", tables)
    assert done.returncode in (0, 1), done.stderr
    read = {}
    for name in os.listdir(tables):
        with open(os.path.join(tables, name), newline="", encoding="utf-8") as file:
            rows = list(csv.reader(file))
        read[name[:-len(".csv")]] = rows
    reports = {}
    for name in os.listdir(out):
        with open(os.path.join(out, name), "rb") as file:
            reports[name] = file.read()
    return json.loads(done.stdout), read, reports


@pytest.fixture
def folder(tmp_path):
    return str(tmp_path)
