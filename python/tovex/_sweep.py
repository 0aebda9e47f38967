"""Sweeps and sensitivities: many runs of one project with its inputs
changed, on this machine's processes or on any executor."""
from __future__ import annotations

import multiprocessing
import os
from concurrent.futures import Executor, ProcessPoolExecutor
from typing import Any, Dict, List, Optional

from . import _cases, _project


def _run_cases(text: str, every_case, reduced: bool, keep: bool, jobs: Optional[int],
               executor: Optional[Executor]):
    """Each case's (row, outcome), in the cases' order, run on ``executor``
    or on ``jobs`` processes of this machine."""
    own = executor is None
    if own:
        # Forked, so that a script needs no main guard and a worker starts
        # at once with the project read (the core makes a fork wait for a
        # run in another thread); the cases then carry only their changes.
        executor = ProcessPoolExecutor(max_workers=jobs or os.cpu_count() or 1,
                                       mp_context=multiprocessing.get_context("fork"),
                                       initializer=_cases.hold_project, initargs=(text,))
    try:
        sent = None if own else text
        futures = [executor.submit(_cases.run_case, sent, case, reduced, _project.module_path, keep)
                   for case in every_case]
        return [future.result() for future in futures]
    finally:
        if own:
            executor.shutdown()


def sweep(project: "_project.Project", changes: Dict[str, List[Any]], jobs: Optional[int] = None,
          executor: Optional[Executor] = None, store: Optional["Store"] = None, zip: bool = False,
          reduced: bool = False):
    """Runs every combination of the values in ``changes`` (place -> values),
    or with ``zip=True`` the values taken in step, and returns a DataFrame
    with one row per case: its inputs, the run's result, total per period,
    all utilities' cost per hour, and each utility's cost per hour.

    The cases run on ``jobs`` processes of this machine (default: its
    cores), or on ``executor``, any ``concurrent.futures.Executor``: a Dask
    cluster's (``distributed.Client(...).get_executor()``) or an MPI pool
    (``mpi4py.futures.MPIPoolExecutor()``). A case is a plain task (the
    project's text and its changes); one process runs one case at a time.
    With ``store``, every case is kept there as a run."""
    import pandas as pd
    changes = _checked(project, changes)
    every_case = _cases.cases(changes, zip)
    keep = store is not None
    outcomes = _run_cases(project.to_json(), every_case, reduced, keep, jobs, executor)
    if keep:
        for row, outcome in outcomes:
            row["run"] = store.keep(_project.Project(outcome["input"], "the sweep's case"), _project.Run(outcome))
    return pd.DataFrame([row for row, _ in outcomes])


def _checked(project: "_project.Project", changes: Dict[str, List[Any]]) -> Dict[str, List[Any]]:
    """The changes as lists, each value tried on a copy of the project
    first: a value a case cannot take is refused before any case runs,
    naming its place and value."""
    if not isinstance(changes, dict) or not changes:
        raise TypeError("changes are a dict of place -> list of values")
    lists = {}
    for place, values in changes.items():
        if isinstance(values, (str, bytes)) or not hasattr(values, "__iter__"):
            raise TypeError(f"{place}: give a list of values, not {values!r}")
        lists[place] = list(values)
    trial = project.copy()
    for place, values in lists.items():
        for value in values:
            try:
                trial.set(place, value)
            except KeyError as error:
                raise KeyError(error.args[0]) from None
            except (TypeError, ValueError) as error:
                raise type(error)(f"{place} = {value!r}: {error}") from None
    return lists


def _swing(low: Optional[float], high: Optional[float]) -> Optional[float]:
    return None if low is None or high is None else abs(high - low)


def sensitivity(project: "_project.Project", step: float = 0.1, jobs: Optional[int] = None,
                executor: Optional[Executor] = None, reduced: bool = False):
    """Changes each priced input (every entry's unit cost, the electricity
    and fuel prices, the operating hours) down and up by ``step`` (0.1:
    ten per cent), one at a time, and returns a DataFrame sorted by the
    swing of the total per period: place, base value, low and high values,
    the totals at each and the swing, then the same swing of all
    utilities' cost, electricity and fuel included (which the total per
    period leaves out). Its ``plot()`` draws the swings."""
    import pandas as pd
    if not 0 < step < 1:
        raise ValueError(f"step is a fraction between 0 and 1 (0.1: ten per cent), not {step!r}")
    places = project._core.priced_places()
    base_values = {place: project.get(place) for place in places}
    changes = []
    for place in places:
        changes.append([(place, base_values[place] * (1 - step))])
        changes.append([(place, base_values[place] * (1 + step))])
    outcomes = _run_cases(project.to_json(), [[]] + changes, reduced, False, jobs, executor)
    base_row, rows = outcomes[0][0], [row for row, _ in outcomes[1:]]
    table = []
    for k, place in enumerate(places):
        low, high = rows[2 * k], rows[2 * k + 1]
        table.append({"place": place, "base": base_values[place], "low": base_values[place] * (1 - step),
                      "high": base_values[place] * (1 + step),
                      "total_per_period": base_row["total_per_period"],
                      "total_at_low": low["total_per_period"], "total_at_high": high["total_per_period"],
                      "swing": _swing(low["total_per_period"], high["total_per_period"]),
                      "all_utilities_per_period": base_row["total_all_utilities_per_period"],
                      "swing_all_utilities": _swing(low["total_all_utilities_per_period"],
                                                    high["total_all_utilities_per_period"])})
    frame = pd.DataFrame(table).sort_values(["swing", "swing_all_utilities"], ascending=False,
                                            na_position="last").reset_index(drop=True)
    from ._frames import SensitivityFrame
    return SensitivityFrame(frame)


