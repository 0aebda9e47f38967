"""Stores from Python: the runs a store keeps, each read back as a Run, a
script's runs kept beside the command's, and two runs compared."""
from __future__ import annotations

import json
import os
from typing import Any, Dict, Optional, Union

from . import _tovex
from ._project import Project, Run, _whole


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
        return Run(_tovex.store_run(self.path, _whole(number, "a run's number")))

    def project(self, revision: Optional[int] = None, run: Optional[int] = None) -> Project:
        """The inputs of the latest revision (or of revision ``revision``),
        or the project as run ``run`` left it."""
        return Project.load(self.path, revision=revision, run=run)

    def add(self, project: Project, source: str = "python") -> int:
        """Keeps ``project`` as the store's new revision; returns its number."""
        return _tovex.store_import(self.path, project._core, source)

    def keep(self, project: Project, run: Run, source: str = "python") -> int:
        """Keeps ``project`` as a new revision and ``run``, which must be a
        run of it as it stands, as a run of that revision, with its
        reports; returns the run's number."""
        made_on = run._outcome.get("input")
        if made_on is None:
            raise ValueError("this run was read back from a store: it is kept there already")
        if made_on.to_json() != project.to_json():
            raise ValueError("the run was made on another project, or on this one before it changed: "
                             "keep the project it ran")
        call, class_id, record = run._outcome["request"]
        return _tovex.store_keep(self.path, made_on, source, run._outcome, call, class_id, record)

    def diff(self, a: int, b: int, all: bool = False) -> "RunDiff":
        """Run ``a`` against run ``b``, as ``tovex diff --json`` gives it."""
        return RunDiff(json.loads(_tovex.store_diff(self.path, _whole(a, "a run's number"),
                                                    _whole(b, "a run's number"), bool(all))))

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
    def _flat(rows, pairs, columns):
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
        import pandas as pd
        return pd.DataFrame(flat, columns=columns)

    @property
    def utilities(self):
        """Each utility whose rate or cost changed: its rate, rate units and
        cost per hour in each run (``_from``, ``_to``) and their change."""
        return self._flat(self.data["utilities"], {"rate", "rate_units", "cost_per_hour"},
                          ["utility", "rate_from", "rate_to", "rate_change", "rate_units_from", "rate_units_to",
                           "cost_per_hour_from", "cost_per_hour_to", "cost_per_hour_change", "in_total"])

    @property
    def items(self):
        """Each item and utility whose amount or cost changed, likewise."""
        return self._flat(self.data["items"], {"amount", "units", "cost_per_hour"},
                          ["item", "utility", "amount_from", "amount_to", "amount_change", "units_from", "units_to",
                           "cost_per_hour_from", "cost_per_hour_to", "cost_per_hour_change"])

    @property
    def inputs(self):
        """The inputs that differ between the runs' revisions, as the store
        names them, and their values in each."""
        import pandas as pd
        return pd.DataFrame(self.data["inputs"], columns=["place", "from", "to"])

    def __repr__(self) -> str:
        a, b = self.data["from"], self.data["to"]
        change = self.total_per_period.get("change")
        shown = "no change of the total" if change is None else f"total per period {change:+,.2f}"
        return f"<tovex.RunDiff run {a['run']} -> run {b['run']}: {shown}>"
