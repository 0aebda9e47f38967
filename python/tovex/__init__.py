"""tovex from Python: a plant's utility costs, run, changed and swept in a script.

A ``Project`` is read from a project file, a store, a workbook or a folder of
CSV sheets; ``run()`` runs the same module, through the same host libraries,
as the ``tovex`` command, on a copy of it, and gives a ``Run`` whose tables
are pandas DataFrames. ``sweep`` runs many cases on this machine's cores or
on any ``concurrent.futures.Executor``; ``sensitivity`` shows which prices
move the total most.
"""
from __future__ import annotations

from ._project import Project, ProjectError, Run, module_path
from ._store import RunDiff, Store
from ._sweep import sensitivity, sweep

__all__ = ["Project", "ProjectError", "Run", "RunDiff", "Store", "module_path", "sensitivity", "sweep"]
__version__ = "0.1.0"
