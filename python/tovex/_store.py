"""Stores from Python: the runs a store keeps, each read back as a Run, a
script's runs kept beside the command's, and two runs compared."""
from __future__ import annotations

import json
import os
from typing import Any, Dict, Optional, Union

from . import _tovex
from ._project import Project, Run


class Store:
    """The store at ``path`` (an SQLite file the ``tovex`` command made, or
    one ``keep`` makes). A context manager, so that a ``with`` block says
    where the store is in use; every call opens it for itself, and runs kept
    from several processes take turns."""

    def __init__(self, path: Union[str, os.PathLike]):
        self.path = os.fspath(path)

    def __enter__(self) -> "Store":
        return self

    def __exit__(self, *exc_info) -> None:
        return None

    @property
    def runs(self):
        """Every run, in order: run, revision, time, call, result, class,
        record and total_per_period, as ``tovex runs --json`` gives them."""
        import pandas as pd
        rows = json.loads(_tovex.store_runs(self.path))
        columns = ["run", "revision", "time", "call", "result", "class", "record", "total_per_period"]
        return pd.DataFrame(rows, columns=columns)

    def run(self, number: Optional[int] = None) -> Run:
        """Run ``number`` (the latest without one), read back."""
        return Run(_tovex.store_run(self.path, number))

    def project(self, revision: Optional[int] = None, run: Optional[int] = None) -> Project:
        """The project as the store holds it now, as revision ``revision``
        stands, or as run ``run`` left it."""
        return Project.load(self.path, revision=revision, run=run)

    def add(self, project: Project, source: str = "python") -> int:
        """Keeps ``project`` as the store's new revision; returns its number."""
        return _tovex.store_import(self.path, project._core, source)

    def keep(self, project: Project, run: Run, source: str = "python") -> int:
        """Keeps ``project`` as a new revision and ``run`` (a run of it) as a
        run of that revision, with its reports; returns the run's number."""
        call, class_id, record = run._outcome["request"]
        return _tovex.store_keep(self.path, project._core, source, run._outcome, call, class_id, record)

    def diff(self, a: int, b: int, all: bool = False) -> "RunDiff":
        """Run ``a`` against run ``b``, as ``tovex diff --json`` gives it."""
        return RunDiff(json.loads(_tovex.store_diff(self.path, int(a), int(b), bool(all))))

    def __repr__(self) -> str:
        return f"<tovex.Store {self.path}>"


class RunDiff:
    """Two runs compared: ``utilities``, ``items`` and ``inputs`` as
    DataFrames, the totals' changes, and ``data``, the whole of
    ``tovex diff --json``."""

    def __init__(self, data: Dict[str, Any]):
        self.data = data
        self.total_per_period = data["total_per_period"]
        self.all_per_hour = data["all_per_hour"]
        self.all_per_period = data["all_per_period"]

    @staticmethod
    def _flat(rows, pairs):
        flat = []
        for row in rows:
            out = {}
            for key, value in row.items():
                if key in pairs and isinstance(value, dict):
                    for side, number in value.items():
                        out[f"{key}_{side}"] = number
                else:
                    out[key] = value
            flat.append(out)
        return flat

    @property
    def utilities(self):
        import pandas as pd
        return pd.DataFrame(self._flat(self.data["utilities"], {"rate", "rate_units", "cost_per_hour"}))

    @property
    def items(self):
        import pandas as pd
        return pd.DataFrame(self._flat(self.data["items"], {"amount", "units", "cost_per_hour"}))

    @property
    def inputs(self):
        import pandas as pd
        return pd.DataFrame(self.data["inputs"], columns=["place", "from", "to"])

    def __repr__(self) -> str:
        a, b = self.data["from"], self.data["to"]
        change = self.total_per_period.get("change")
        shown = "no change of the total" if change is None else f"total per period {change:+,.2f}"
        return f"<tovex.RunDiff run {a['run']} -> run {b['run']}: {shown}>"
