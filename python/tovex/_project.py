"""Projects and runs: the package's face over its core, ``tovex._tovex``."""
from __future__ import annotations

import os
import re
from typing import Any, Dict, List, Optional, Union

from . import _cases, _tovex

ProjectError = _tovex.ProjectError
ProjectError.__doc__ = ("A project that cannot be read: the message is the command's (the file, its line and "
                        "column or the place in it, and what is wrong).")

#: The module a run loads: the one installed with the package, unless the
#: environment's TOVEX_MODULE names another.
module_path = os.environ.get("TOVEX_MODULE") or os.path.join(os.path.dirname(__file__), "libtovex.so.0")

Value = Union[float, str, List[str]]

_FINDING_COLUMNS = ["code", "severity", "object", "slot", "message", "hint", "amount", "amount_units",
                    "cost_per_hour"]
_WARNING_COLUMNS = ["from_units", "to_units", "source", "message"]


_WHOLE_FIELDS = {"project/instance", "project/unit_system", "project/sim_type"}


def _place(place: Any) -> str:
    if not isinstance(place, str):
        raise TypeError(f"a place is a text such as \"objects/CW-101/TOTAL MASS FLOW\", not {type(place).__name__}")
    return place


def _whole(number: Any, what: str) -> Optional[int]:
    """A whole number given as any integer (a numpy one too), or None."""
    if number is None:
        return None
    import operator
    try:
        return operator.index(number)
    except TypeError:
        raise TypeError(f"{what} is a whole number, not {number!r}") from None


def _column_name(header: str) -> str:
    """'Rate units' -> 'rate_units', "Items' lines" -> 'items_lines'."""
    return re.sub(r"[^0-9a-z]+", "_", header.lower().replace("'", "")).strip("_")


class Project:
    """One project, as a project file holds it. Changing it changes no file
    until ``save``; running it changes nothing of it."""

    def __init__(self, core: "_tovex.Project", source: str = ""):
        self._core = core
        self.source = source

    @classmethod
    def load(cls, path: Union[str, os.PathLike], revision: Optional[int] = None,
             run: Optional[int] = None) -> "Project":
        """Reads a project file, a workbook (.xlsx), a folder of CSV sheets or
        a store. From a store it gives the inputs of its latest revision (or
        of revision ``revision``) as they were kept; with ``run``, the
        project as that run left it, results included, which a run of it
        adds to. Raises ProjectError with the command's message."""
        if revision is not None and run is not None:
            raise ValueError("give a store's revision or one of its runs, not both")
        path = os.fspath(path)
        return cls(_tovex.Project.load(path, _whole(run, "run"), _whole(revision, "revision")), path)

    @classmethod
    def from_json(cls, text: str, label: str = "the project") -> "Project":
        """A project from a project file's text."""
        return cls(_tovex.Project.from_json(text, label), label)

    def to_json(self) -> str:
        """The project as a project file's text."""
        return self._core.to_json()

    def save(self, path: Union[str, os.PathLike]) -> None:
        """Writes the project file, whole or not at all."""
        self._core.save(os.fspath(path))

    def copy(self) -> "Project":
        """A copy of its own, to change without changing this one."""
        return Project(self._core.copy(), self.source)

    def get(self, place: str) -> Value:
        """The input at ``place``: a number, a text or a list of texts.
        Places: "project/unit_system", "objects/CW-101/TOTAL MASS FLOW",
        "entries/Cooling Water/Unit Cost", "OP/Operating Unit Costs/Electricity",
        "criteria/GROUP/CRITERION", "electrical_loads/211". An unknown place
        raises KeyError naming the nearest one."""
        value = self._core.get(_place(place))
        return int(value) if place in _WHOLE_FIELDS else value

    def units(self, place: str) -> str:
        """The units of the number at ``place`` ("" for none or a text)."""
        return self._core.units(_place(place))

    def set(self, place: str, value: Value, units: Optional[str] = None) -> "Project":
        """Changes the input at ``place``; a number given without units keeps
        the units it had, and units the host cannot read are refused (the
        check tells how the run reads those it can). Returns the project,
        so that changes chain."""
        self._core.set(_place(place), value, units)
        return self

    def places(self) -> List[str]:
        """Every place ``get`` and ``set`` take, in the project's order."""
        return self._core.places()

    @property
    def name(self) -> str:
        """The project's name, as the run hands it to the module."""
        return self._core.name

    @property
    def scenario(self) -> str:
        """The project's scenario."""
        return self._core.scenario

    @property
    def instance(self) -> int:
        """The project's instance number."""
        return self._core.instance

    def check(self):
        """The findings of a full run, as ``tovex check`` gives them: a
        DataFrame of code, severity, object, slot, message, hint, amount,
        amount_units and cost_per_hour (the money at stake)."""
        import pandas as pd
        return pd.DataFrame(_tovex.check(self._core, module_path), columns=_FINDING_COLUMNS)

    def run(self, reduced: bool = False) -> "Run":
        """The full run (or the reduced one, without equipment information),
        on a copy of the project."""
        return Run(_tovex.run(self._core, "reduced" if reduced else "full", 0, False, module_path), self)

    def run_pass(self, class_id: int, record: bool = False) -> "Run":
        """One stream class's pass; with ``record``, the items' usage recorded."""
        if not isinstance(record, bool):
            raise TypeError("record is True or False")
        class_id = _whole(class_id, "class_id")
        if not -2**31 <= class_id < 2**31:
            raise ValueError(f"class_id {class_id} is not a class id")
        return Run(_tovex.run(self._core, "pass", class_id, record, module_path), self)

    def __getstate__(self) -> Dict[str, Any]:
        return {"json": self.to_json(), "source": self.source}

    def __setstate__(self, state: Dict[str, Any]) -> None:
        self._core = _tovex.Project.from_json(state["json"], state["source"] or "the project")
        self.source = state["source"]

    def __repr__(self) -> str:
        return (f"<tovex.Project {self.name!r} / {self.scenario!r}, instance {self.instance}, "
                f"{self._core.object_count} objects{', from ' + self.source if self.source else ''}>")


class Run:
    """What one run left: its result, its tables (DataFrames, as ``tovex run
    --csv`` writes them), its warnings and findings, its reports as text and
    the project as it left it."""

    def __init__(self, outcome: Dict[str, Any], project: Optional[Project] = None):
        self._outcome = outcome
        # The project the run was made on, as it stood then (a copy: the
        # script may change its own): what a store keeps with the run.
        if project is not None and "input" not in outcome:
            outcome["input"] = project._core.copy()
        self.result: int = outcome["result"]
        self.call: str = outcome["call"]
        self.reports: Dict[str, str] = dict(outcome["reports"])
        self.summary: Dict[str, Any] = _cases.summary_of(outcome)
        self.total_per_period: Optional[float] = self.summary.get(_cases.TOTALS["total_per_period"])
        self.total_all_utilities_per_hour: Optional[float] = self.summary.get(
            _cases.TOTALS["total_all_utilities_per_hour"])
        self.total_all_utilities_per_period: Optional[float] = self.summary.get(
            _cases.TOTALS["total_all_utilities_per_period"])

    def _table(self, name: str, rename: Optional[Dict[str, str]] = None):
        import pandas as pd
        columns, rows = self._outcome["tables"][name]
        frame = pd.DataFrame(rows, columns=[_column_name(c) for c in columns])
        return frame.rename(columns=rename or {})

    @property
    def utilities(self):
        """utility, fluid, rate, rate_units, priced_per, unit_cost, cost_per_hour,
        cost_per_period, share and in_total, one row per utility."""
        frame = self._table("Utilities", {"unit_price": "unit_cost"})
        frame["in_total"] = frame["in_total"] == "yes"
        return frame

    @property
    def items(self):
        """Every line of the detailed report: item, description, utility,
        amount, amount_units, stream, cost_per_hour."""
        return self._table("Items")

    @property
    def areas(self):
        """Each area's items and cost per hour."""
        return self._table("Areas")

    @property
    def report_groups(self):
        """Each report group's items and cost per hour."""
        return self._table("Report groups")

    @property
    def reconciliation(self):
        """Each utility's posted rate against the sum of its items' lines,
        and why they differ."""
        return self._table("Reconciliation")

    @property
    def warnings(self):
        """The host's warnings of the run: from_units, to_units, source, message."""
        import pandas as pd
        return pd.DataFrame(self._outcome["warnings"], columns=_WARNING_COLUMNS)

    @property
    def findings(self):
        """The checks' findings on the run, as ``Project.check`` gives them."""
        import pandas as pd
        return pd.DataFrame(self._outcome["findings"], columns=_FINDING_COLUMNS)

    def state(self) -> Project:
        """The project as the run left it (a copy of its own each time)."""
        state = self._outcome["state"]
        if state is None:
            raise ValueError("this run was made for its figures only and kept no state")
        return Project(state.copy(), "the run's state")

    def plot(self, ax=None):
        """A bar chart of each utility's cost per hour (matplotlib)."""
        try:
            import matplotlib.pyplot as plt  # noqa: F401
        except ImportError as error:
            raise ImportError("Run.plot needs matplotlib (Debian: python3-matplotlib)") from error
        frame = self.utilities.dropna(subset=["cost_per_hour"])
        axes = frame.plot.barh(x="utility", y="cost_per_hour", ax=ax, legend=False,
                               title=f"Cost per hour ({self.call} run)")
        axes.figure.tight_layout()
        return axes

    def __repr__(self) -> str:
        total = "no total" if self.total_per_period is None else f"total per period {self.total_per_period:,.2f}"
        return f"<tovex.Run {self.call}: result {self.result}, {total}>"
