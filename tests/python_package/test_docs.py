"""docs/python.md runs as written: its Python blocks, in order, in a folder
of their own that holds the example plants."""
import os
import re

from conftest import ROOT


def test_the_python_page_runs_as_written(tmp_path, monkeypatch, capsys):
    with open(os.path.join(ROOT, "docs", "python.md"), encoding="utf-8") as file:
        blocks = re.findall(r"```python\n(.*?)```", file.read(), re.S)
    assert len(blocks) >= 5
    os.symlink(os.path.join(ROOT, "examples"), tmp_path / "examples")
    monkeypatch.chdir(tmp_path)
    scope = {}
    for block in blocks:
        exec(compile(block, "docs/python.md", "exec"), scope)
        shown = capsys.readouterr().out
        # What the page shows as printed is what the block prints.
        for line in re.findall(r"^# (\S.*)$", block, re.M):
            if not line.startswith("..."):
                assert line.split()[0] in shown, line
