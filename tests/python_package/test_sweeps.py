"""A sweep gives, case by case, what the command gives on the case's file,
on this machine's processes and on a Dask cluster alike."""
import json
import os

import pytest

import tovex
from conftest import EXAMPLES, command

PRICES = {"OP/Operating Unit Costs/Electricity": [0.05, 0.07, 0.09],
          "entries/Cooling Water/Unit Cost": [0.08, 0.1]}


def test_a_sweep_equals_a_command_run_per_case(folder):
    project = tovex.Project.load(EXAMPLES[0])
    rows = tovex.sweep(project, PRICES, jobs=2)
    assert len(rows) == 6
    for k, row in rows.iterrows():
        case = project.copy()
        for place in PRICES:
            case.set(place, row[place])
        path = os.path.join(folder, f"case-{k}.json")
        case.save(path)
        out = os.path.join(folder, f"tables-{k}")
        done = command("run", path, "--dir", os.path.join(folder, f"out-{k}"), "--json", "--csv", out)
        assert done.returncode == 0, done.stderr
        total = [r for r in json.loads(done.stdout)["cost_rows"] if r["name"].startswith("Total Process")]
        assert row["total_per_period"] == float(total[0]["value"])
        with open(os.path.join(out, "Utilities.csv"), encoding="utf-8") as file:
            lines = [line.rstrip("\n").split(",") for line in file][1:]
        for line in lines:
            assert row[f"{line[0]} cost per hour"] == float(line[6])


def test_paired_values_and_a_store_keep_every_case(folder):
    project = tovex.Project.load(EXAMPLES[0])
    store = tovex.Store(os.path.join(folder, "cases.db"))
    rows = tovex.sweep(project, PRICES | {"entries/Cooling Water/Unit Cost": [0.08, 0.1, 0.12]}, zip=True,
                       store=store, jobs=1)
    assert list(rows["run"]) == [1, 2, 3]
    runs = store.runs
    assert list(runs["total_per_period"]) == list(rows["total_per_period"])
    with pytest.raises(ValueError, match="one length"):
        tovex.sweep(project, PRICES, zip=True)


def test_a_sweep_on_a_dask_cluster_gives_the_same_rows():
    distributed = pytest.importorskip("distributed")
    project = tovex.Project.load(EXAMPLES[0])
    expected = tovex.sweep(project, PRICES, jobs=2)
    with distributed.LocalCluster(n_workers=2, threads_per_worker=2, processes=True,
                                  dashboard_address=None) as cluster, distributed.Client(cluster) as client:
        rows = tovex.sweep(project, PRICES, executor=client.get_executor())
    assert rows.equals(expected)


def test_the_sensitivity_puts_the_largest_swing_first():
    table = tovex.sensitivity(tovex.Project.load(EXAMPLES[0]), step=0.1, jobs=2)
    assert list(table["swing"]) == sorted(table["swing"], reverse=True)
    assert "OP/Operating Unit Costs/Electricity" in list(table["place"])
    electricity = table[table["place"] == "OP/Operating Unit Costs/Electricity"].iloc[0]
    # The total per period leaves electricity out; all utilities' cost does not.
    assert electricity["swing"] == 0 and electricity["swing_all_utilities"] > 0
    matplotlib = pytest.importorskip("matplotlib")
    matplotlib.use("Agg")
    assert len(table.plot().patches) == len(table)
