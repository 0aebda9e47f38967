"""One case of a sweep, as a plain task that any process can run: the
project's text (or the one the worker holds) and its changes in, a row (and,
when asked, the whole outcome) out. It imports only the core, so that a
worker starts quickly."""
from __future__ import annotations

import threading
from typing import Any, Dict, List, Optional, Sequence, Tuple

from . import _tovex

Change = Tuple[str, Any]

# The project this worker holds: read once, not once per case, and copied
# for each. The lock keeps the threads of a worker of several (a Dask
# worker's) from reading it twice at once.
_held: Dict[str, Any] = {"text": None, "project": None}
_holding = threading.Lock()

# The run's totals, as its results' summary names them.
TOTALS = {"total_per_period": "total process utility cost per period",
          "total_all_utilities_per_hour": "all utilities per hour, electricity and fuel included",
          "total_all_utilities_per_period": "all utilities per period, electricity and fuel included"}


def summary_of(outcome: Dict[str, Any]) -> Dict[str, Any]:
    """The run's summary table as a dict: what -> value."""
    return {what: value for what, value, _ in outcome["tables"]["Summary"][1]}


def hold_project(text: str) -> None:
    """Reads the project a worker's cases change (a pool's initializer)."""
    _held["text"] = text
    _held["project"] = _tovex.Project.from_json(text, "the sweep's project")


def run_case(project_json: Optional[str], changes: Sequence[Change], reduced: bool, module_path: str,
             keep_outcome: bool) -> Tuple[Dict[str, Any], Optional[Dict[str, Any]]]:
    """Runs the project (the one held when ``project_json`` is None) with
    ``changes`` made; returns the case's row and, with ``keep_outcome``, the
    run's outcome for a store to keep."""
    with _holding:
        if project_json is not None and project_json != _held["text"]:
            hold_project(project_json)
        project = _held["project"].copy()
    for place, value in changes:
        project.set(place, value, None)
    outcome = _tovex.run(project, "reduced" if reduced else "full", 0, False, module_path, keep_outcome)
    if keep_outcome:
        outcome["input"] = project
    row: Dict[str, Any] = {place: value for place, value in changes}
    row["result"] = outcome["result"]
    summary = summary_of(outcome)
    for column, what in TOTALS.items():
        row[column] = summary.get(what)
    columns, rows = outcome["tables"]["Utilities"]
    utility, cost = columns.index("Utility"), columns.index("Cost per hour")
    for line in rows:
        row[f"{line[utility]} cost per hour"] = line[cost]
    return row, outcome if keep_outcome else None


def cases(changes: Dict[str, List[Any]], paired: bool) -> List[List[Change]]:
    """Every combination of the values, or the values taken in step."""
    import itertools
    places = list(changes)
    lists = [list(changes[place]) for place in places]
    if paired:
        if len({len(values) for values in lists}) > 1:
            raise ValueError("zip=True takes lists of one length: " +
                             ", ".join(f"{place}: {len(values)}" for place, values in zip(places, lists)))
        combos = list(zip(*lists))
    else:
        combos = list(itertools.product(*lists))
    return [list(zip(places, combo)) for combo in combos]
