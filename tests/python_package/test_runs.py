"""A script's runs give what the command gives: the same tables, reports,
warnings and findings, for the example plants and for a changed one."""
import math
import os

import pytest

import tovex
from conftest import EXAMPLES, command, command_run


def same_table(frame, rows):
    """A run's DataFrame against the command's CSV table of the same run:
    every number equal to the last bit, every text the same."""
    header, body = rows[0], rows[1:]
    assert len(frame) == len(body)
    assert len(frame.columns) == len(header)
    for shown, written in zip(frame.itertuples(index=False), body):
        for value, text in zip(shown, written):
            if isinstance(value, bool):
                assert ("yes" if value else "no") == text
            elif isinstance(value, float):
                assert (math.isnan(value) and text == "") or value == float(text)
            elif value is None:
                assert text == ""
            else:
                assert str(value) == text


@pytest.mark.parametrize("plant", EXAMPLES, ids=os.path.basename)
def test_a_run_gives_what_the_command_gives(plant, folder):
    expected, tables, reports = command_run(plant, folder)
    run = tovex.Project.load(plant).run()
    assert run.result == expected["result"]
    same_table(run.utilities, tables["Utilities"])
    same_table(run.items, tables["Items"])
    same_table(run.areas, tables["Areas"])
    assert {name: text.encode("utf-8", "surrogateescape") for name, text in run.reports.items()} == reports
    assert run.warnings.to_dict("records") == expected["warnings"]
    assert run.findings.fillna(-1).to_dict("records") == [
        {key: finding.get(key, -1) if finding.get(key) is not None else -1 for key in run.findings.columns}
        for finding in expected["findings"]]
    total = [row for row in expected["cost_rows"] if row["name"] == "Total Process Utility Cost Per Period"]
    assert run.total_per_period == float(total[0]["value"])


def test_a_changed_project_runs_as_the_command_runs_its_file(folder):
    project = tovex.Project.load(EXAMPLES[0])
    project.set("OP/Operating Unit Costs/Electricity", 0.11).set("objects/CW-101/TOTAL MASS FLOW", 12345.5)
    project.set("entries/Steam @165PSI/Unit Cost", 14, units="$/KLB")
    assert project.get("OP/Operating Unit Costs/Electricity") == 0.11
    assert project.units("OP/Operating Unit Costs/Electricity") == "$/KWH"
    edited = os.path.join(folder, "edited.json")
    project.save(edited)
    _, tables, reports = command_run(edited, folder)
    run = project.run()
    same_table(run.utilities, tables["Utilities"])
    same_table(run.items, tables["Items"])
    assert run.reports["UtilRes.Txt"].encode("utf-8", "surrogateescape") == reports["UtilRes.Txt"]
    # The project the script holds is the one it changed, not the run's.
    assert tovex.Project.load(EXAMPLES[0]).run().total_all_utilities_per_hour != run.total_all_utilities_per_hour
    assert run.state().get("OP/Operating Unit Costs/Electricity") == 0.11


def test_a_pass_and_a_reduced_run(folder):
    project = tovex.Project.load(EXAMPLES[0])
    reduced = project.run(reduced=True)
    assert reduced.result == 1 and "UtilRes2.Txt" not in reduced.reports and reduced.items.empty
    passed = project.run_pass(3105, record=True)
    assert passed.call == "pass 3105 --record" and "UtilRes.Txt" not in passed.reports
    done = command("pass", EXAMPLES[0], "--class", "3105", "--record", "--dir", os.path.join(folder, "p"), "--json")
    assert passed.result == __import__("json").loads(done.stdout)["result"]


def test_a_bad_file_and_an_unknown_place_say_what_the_command_says(folder):
    bad = os.path.join(folder, "bad.json")
    with open(bad, "w") as file:
        file.write('{"format": "tovex-project/1", "project": {"instance": 1,\n  "name": }\n}')
    with pytest.raises(tovex.ProjectError) as raised:
        tovex.Project.load(bad)
    assert "tovex: " + str(raised.value) == command("check", bad).stderr.strip()
    project = tovex.Project.load(EXAMPLES[0])
    with pytest.raises(KeyError, match='did you mean "objects/CW-101/TOTAL MASS FLOW"'):
        project.get("objects/CW-10/TOTAL MASS FLOW")
    with pytest.raises(KeyError, match='did you mean "OP/Operating Unit Costs/Electricity"'):
        project.set("OP/Operating Unit Costs/Electricty", 0.1)
    with pytest.raises(ValueError):
        project.set("project/instance", "seven")


def test_a_workbook_and_a_store_load_as_the_project_they_hold(folder):
    book, store = os.path.join(folder, "plant.xlsx"), os.path.join(folder, "plant.db")
    assert command("template", book, "--example").returncode == 0
    assert command("import", EXAMPLES[0], store).returncode == 0
    expected = tovex.Project.load(EXAMPLES[0]).to_json()
    assert tovex.Project.load(book).to_json() == expected
    assert tovex.Project.load(store).to_json() == expected


def test_a_project_goes_through_pickle_and_check_as_the_command(folder):
    import pickle
    project = tovex.Project.load(EXAMPLES[0]).set("OP/Operating Unit Costs/Electricity", 0.2)
    again = pickle.loads(pickle.dumps(project))
    assert again.to_json() == project.to_json()
    findings = tovex.Project.load(EXAMPLES[1]).check()
    expected = __import__("json").loads(command("check", EXAMPLES[1], "--json").stdout)
    assert list(findings["code"]) == [finding["code"] for finding in expected["findings"]]
    assert "ETHYLENE-1" in repr(project) and "result 1" in repr(project.run())


def test_a_run_draws_its_costs():
    matplotlib = pytest.importorskip("matplotlib")
    matplotlib.use("Agg")
    run = tovex.Project.load(EXAMPLES[0]).run()
    assert len(run.plot().patches) == run.utilities["cost_per_hour"].notna().sum()


def test_what_a_run_could_not_take_is_refused_when_it_is_given(folder):
    project = tovex.Project.load(EXAMPLES[0])
    price = "OP/Operating Unit Costs/Electricity"
    for place, value, units in [("project/name", "A\x00B", None), ("objects/CW-101/TOTAL MASS FLOW", float("nan"), None),
                                (price, 9, "bogus"), ("electrical_loads/211", 5, "MW")]:
        with pytest.raises(ValueError):
            project.set(place, value, units)
    with pytest.raises(KeyError, match='did you mean "objects/CW-101/DESCRIPTION"'):
        project.get("objects/CW-101")
    with pytest.raises(TypeError, match="give a list of values"):
        tovex.sweep(project, {price: "0.08"}, jobs=1)
    with pytest.raises(TypeError, match="TOTAL MASS FLOW = None"):
        tovex.sweep(project, {"objects/CW-101/TOTAL MASS FLOW": [1, None]}, jobs=1)
    store = tovex.Store(os.path.join(folder, "kept.db"))
    with pytest.raises(ValueError, match="another project"):
        store.keep(project, project.copy().set(price, 0.09).run())
    store.keep(project, project.run())
    # A store gives its inputs: running them again gives the same figures,
    # where the project as the run left it would add to them.
    assert store.project().run().total_per_period == project.run().total_per_period
    assert store.project(run=1).run().total_per_period > project.run().total_per_period
