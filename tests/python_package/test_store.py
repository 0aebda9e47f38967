"""A store read from a script gives what the command gives: its runs, a
run read back, and two runs compared."""
import json
import os

import tovex
from conftest import EXAMPLES, command


def test_a_store_s_runs_and_diff_are_the_command_s(folder):
    store_path = os.path.join(folder, "plant.db")
    assert command("import", EXAMPLES[0], store_path).returncode == 0
    assert command("run", store_path, "--dir", os.path.join(folder, "a")).returncode == 0
    project = tovex.Project.load(store_path).set("OP/Operating Unit Costs/Fuel", 6.5)
    with tovex.Store(store_path) as store:
        kept = store.keep(project, project.run())
        assert kept == 2
        runs = store.runs
        assert list(runs["run"]) == [1, 2]
        assert runs.to_dict("records")[1]["total_per_period"] == \
            json.loads(command("runs", store_path, "--json").stdout)[1]["total_per_period"]
        diff = store.diff(1, 2)
        assert diff.data == json.loads(command("diff", store_path, "1", "2", "--json").stdout)
        assert "Fuel" in set(diff.utilities["utility"])
        assert list(diff.inputs["place"]) == [entry["place"] for entry in diff.data["inputs"]]
        first = store.run(1)
    fresh = tovex.Project.load(EXAMPLES[0]).run()
    assert first.utilities.equals(fresh.utilities)
    assert first.reports["UtilRes.Txt"] == fresh.reports["UtilRes.Txt"]
    assert first.state().get("OP/Operating Unit Costs/Fuel") == 4.5
    assert tovex.Project.load(store_path, revision=1).get("OP/Operating Unit Costs/Fuel") == 4.5
    assert tovex.Project.load(store_path).get("OP/Operating Unit Costs/Fuel") == 6.5
