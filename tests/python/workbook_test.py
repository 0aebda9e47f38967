"""Workbooks read and written by an independent reader, openpyxl.

A user types the example plant into the template and runs it; the run gives
the example's figures. The same workbook with a formula's cached value, an
inline string and its sheets in another order reads alike. And a project
written as a workbook holds, cell for cell, the project file's figures.
"""
import argparse
import json
import csv
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest
import zipfile

import openpyxl

ARGS = None


def tovex(*arguments, cwd):
    return subprocess.run([ARGS.tovex, *arguments], cwd=cwd, capture_output=True, text=True)


def example():
    with open(os.path.join(ARGS.source, "examples", "ethylene-plant.json")) as file:
        return json.load(file)


def same_rows(test, shown, kept):
    """Rows equal, a number to the sixteen digits a workbook keeps, an empty
    cell as an empty text."""
    test.assertEqual(len(shown), len(kept))
    for a, b in zip(shown, kept):
        for x, y in zip(a, b):
            if isinstance(x, float) or isinstance(y, float):
                test.assertAlmostEqual(x, y, delta=abs(y) * 1e-15, msg=(a, b))
            else:
                test.assertEqual(x if x is not None else "", y if y is not None else "", (a, b))


def number_and_units(value):
    if isinstance(value, dict):
        return value["value"], value.get("units", "")
    return value, ""


class Sheet:
    """A sheet of the template, written by its header names as a user would."""

    def __init__(self, sheet):
        self.sheet = sheet
        self.columns = {cell.value: cell.column for cell in sheet[1] if cell.value}

    def add(self, values):
        row = self.sheet.max_row + 1
        for name, value in values.items():
            self.sheet.cell(row=row, column=self.columns[name], value=value)


def slots_into(row, slots, columns, rest, owner, of="object"):
    """The slots the sheet has columns for, in them; the others into Slots."""
    for name, value in slots.items():
        if name in columns and not isinstance(value, list):
            number, units = number_and_units(value)
            row[name] = number
            if units:
                row[name + " [units]"] = units
        else:
            form = "list" if isinstance(value, list) else "number" if not isinstance(value, str) else "text"
            number, units = (json.dumps(value), "") if form == "list" else number_and_units(value)
            rest.append({"Of": of, "Name": owner, "Slot": name, "Form": form, "Value": number, "Units": units})


def fill_template(path):
    """The example plant typed into the template."""
    plant = example()
    book = openpyxl.load_workbook(path)
    project = book["Project"]
    fields = {row[0].value: row[0].row for row in project.iter_rows(min_row=2) if row[0].value}

    def field(name, value, units=None):
        row = fields.get(name) or project.max_row + 1
        project.cell(row=row, column=1, value=name)
        project.cell(row=row, column=2, value=value)
        if units is not None:
            project.cell(row=row, column=3, value=units)

    costs = plant["databases"]["OP"]["Operating Unit Costs"]
    field("instance", plant["project"]["instance"])
    field("name", plant["project"]["name"])
    field("scenario", plant["project"]["scenario"])
    field("simulation case", "valid")
    field("simulator type", plant["simulation_case"]["sim_type"])
    field("electricity price", *number_and_units(costs["Electricity"]))
    field("fuel price", *number_and_units(costs["Fuel"]))
    field("currency", plant["databases"]["STD"]["Standard Basis Input File"]["Currency Symbol"])
    field("operating hours", plant["databases"]["INV"]["Investment Analysis Parameters"]["Operating Hours per Period"])
    for group, criteria in plant["design_criteria"].items():
        for name, value in criteria.items():
            Sheet(book["Criteria"]).add({"Group": group, "Criterion": name, "Value": value["value"], "Units": value["units"]})

    rest = []
    utilities = Sheet(book["Utilities"])
    for entry in plant["utility_streams"]["entries"]:
        row = {"Name": entry["name"]}
        slots_into(row, entry.get("slots", {}), utilities.columns, rest, entry["name"], "entry")
        utilities.add(row)
    loads = {item["ref_id"]: item["kw"] for item in plant["electrical_loads"]["items"]}
    joins = {}
    for connection in plant["connections"]:
        side = "From" if connection["direction"] == 1 else "To"
        joins.setdefault(connection["stream"], {})[side + " item"] = connection["item"]
        joins[connection["stream"]][side + " connector"] = connection["connector"]
    for thing in plant["objects"]:
        defaults = thing.get("defaults", {})
        for name, value in defaults.items():
            number, units = number_and_units(value)
            rest.append({"Of": "object", "Name": thing["name"], "Slot": name, "Form": "number", "Value": number,
                         "Units": units, "Default": "yes"})
        if thing["class"] == 1505:
            sheet = Sheet(book["Areas"])
            row = {"Name": thing["name"], "Ref ID": thing.get("ref_id")}
        elif thing["class"] == 1705:
            sheet = Sheet(book["Items"])
            row = {"Tag": thing["name"], "Ref ID": thing.get("ref_id"), "Model": thing.get("model"),
                   "Area": thing.get("area"), "Electrical load [kW]": loads.get(thing.get("ref_id"))}
        else:
            sheet = Sheet(book["Streams"])
            row = {"Tag": thing["name"], "Class": thing["class"], "Ref ID": thing.get("ref_id"),
                   "Stream name": thing.get("stream_name"), **joins.get(thing["name"], {})}
        slots_into(row, thing.get("slots", {}), sheet.columns, rest, thing["name"])
        sheet.add(row)
    slots = Sheet(book["Slots"])
    for row in rest:
        slots.add(row)
    # Sheets in another order than the template's.
    book.move_sheet("Streams", offset=-4)
    book.save(path)


def rewrite_part(path, part, change):
    """One XML part of the workbook changed, as another program writes it."""
    with zipfile.ZipFile(path) as source:
        parts = {name: source.read(name) for name in source.namelist()}
    parts[part] = change(parts[part].decode()).encode()
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as target:
        for name, data in parts.items():
            target.writestr(name, data)


def sheet_part(path, name):
    with zipfile.ZipFile(path) as book:
        workbook = book.read("xl/workbook.xml").decode()
        links = book.read("xl/_rels/workbook.xml.rels").decode()
    rid = re.search(r'<sheet[^>]*name="%s"[^>]*r:id="([^"]+)"' % re.escape(name), workbook).group(1)
    target = re.search(r'Id="%s"[^>]*Target="([^"]+)"|Target="([^"]+)"[^>]*Id="%s"' % (rid, rid), links)
    target = target.group(1) or target.group(2)
    return target.lstrip("/") if target.startswith("/") else "xl/" + target


class WorkbookTest(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="tovex-workbook-")
        self.plant = os.path.join(ARGS.source, "examples", "ethylene-plant.json")

    def tearDown(self):
        shutil.rmtree(self.folder)

    def figures(self, project):
        run = tovex("run", project, "--dir", os.path.join(self.folder, "out"), cwd=self.folder)
        self.assertEqual(run.returncode, 0, run.stderr)
        return run.stdout

    def test_the_filled_template_runs_to_the_example_figures(self):
        book = os.path.join(self.folder, "plant.xlsx")
        made = tovex("template", book, cwd=self.folder)
        self.assertEqual(made.returncode, 0, made.stderr)
        fill_template(book)
        self.assertEqual(self.figures(book), self.figures(self.plant))

        # openpyxl wrote its texts as inline strings (the command's own
        # workbooks hold shared ones). A formula with its cached value, as a
        # spreadsheet program writes it, reads as the value it shows.
        part = sheet_part(book, "Streams")

        def change(xml):
            xml, formulas = re.subn(r'<c r="G2"([^>]*)><v>250000</v></c>',
                                    r'<c r="G2"\1><f>100000*2.5</f><v>250000</v></c>', xml)
            self.assertEqual(formulas, 1, xml[:2000])
            return xml

        rewrite_part(book, part, change)
        self.assertEqual(self.figures(book), self.figures(self.plant))

    def test_a_written_workbook_holds_the_project_s_figures(self):
        book = os.path.join(self.folder, "plant.xlsx")
        written = tovex("convert", self.plant, "--xlsx", book, cwd=self.folder)
        self.assertEqual(written.returncode, 0, written.stderr)
        sheets = openpyxl.load_workbook(book)
        # Each stream's numbers, from its columns and its rows of Slots.
        held = {}
        header = [cell.value for cell in sheets["Streams"][1]]
        for values in sheets["Streams"].iter_rows(min_row=2, values_only=True):
            row = dict(zip(header, values))
            for name in header:
                if name + " [units]" in header and row[name] is not None:
                    held[(row["Tag"], name)] = (row[name], row[name + " [units]"] or "")
        for of, owner, slot, form, value, units, default in sheets["Slots"].iter_rows(min_row=2, values_only=True):
            if of == "object" and form == "number" and default != "yes":
                held[(owner, slot)] = (value, units or "")
        for thing in example()["objects"]:
            for name, value in thing.get("slots", {}).items():
                if isinstance(value, (int, float, dict)):
                    self.assertEqual(held[(thing["name"], name)], number_and_units(value), thing["name"])

    def test_the_results_workbook_holds_the_run_s_figures(self):
        import sqlite3
        store = os.path.join(self.folder, "plant.db")
        book = os.path.join(self.folder, "results.xlsx")
        self.assertEqual(tovex("import", self.plant, store, cwd=self.folder).returncode, 0)
        run = tovex("run", store, "--dir", os.path.join(self.folder, "out"), "--xlsx", book, cwd=self.folder)
        self.assertEqual(run.returncode, 0, run.stderr)
        sheets = openpyxl.load_workbook(book)
        with sqlite3.connect(store) as db:
            kept = db.execute("SELECT utility, rate, rate_units, cost_per_hour, in_total FROM run_utility "
                              "ORDER BY position").fetchall()
            items = db.execute("SELECT item, utility, amount, amount_units, cost_per_hour FROM run_item "
                               "ORDER BY position").fetchall()
            totals = db.execute("SELECT total_per_period, all_per_hour, all_per_period FROM run").fetchone()
        shown = [(u, r, ru, c, t == "yes") for u, _, r, ru, _, _, c, _, _, t in
                 sheets["Utilities"].iter_rows(min_row=2, values_only=True)]
        same_rows(self, shown, [(u, r, ru, c, bool(t)) for u, r, ru, c, t in kept])
        same_rows(self, [(i, u, a, au, c) for i, _, u, a, au, _, c in
                         sheets["Items"].iter_rows(min_row=2, values_only=True)], items)
        summary = {what: value for what, value, _ in sheets["Summary"].iter_rows(min_row=2, values_only=True)}
        same_rows(self, [(summary["total process utility cost per period"],
                          summary["all utilities per hour, electricity and fuel included"],
                          summary["all utilities per period, electricity and fuel included"])], [totals])
        self.assertEqual(len(sheets["Utilities"]._charts), 1)
        # A run of the project file, not kept in a store, shows the same items.
        folder = os.path.join(self.folder, "csv")
        run = tovex("run", self.plant, "--dir", os.path.join(self.folder, "out2"), "--csv", folder, cwd=self.folder)
        self.assertEqual(run.returncode, 0, run.stderr)
        with open(os.path.join(folder, "Items.csv"), newline="", encoding="utf-8") as file:
            lines = [(i, u, float(a), au, float(c)) for i, _, u, a, au, _, c in list(csv.reader(file))[1:]]
        same_rows(self, lines, items)

    def test_a_cell_that_is_wrong_is_named(self):
        book = os.path.join(self.folder, "plant.xlsx")
        tovex("convert", self.plant, "--xlsx", book, cwd=self.folder)
        sheets = openpyxl.load_workbook(book)
        sheets["Streams"]["H2"] = "KGS"
        sheets.save(book)
        refused = tovex("import", book, os.path.join(self.folder, "plant.db"), cwd=self.folder)
        self.assertEqual(refused.returncode, 2)
        self.assertEqual(refused.stderr, 'tovex: %s: Streams!H2: "KGS" is not a unit (did you mean "KG/S"?)\n' % book)
        self.assertFalse(os.path.exists(os.path.join(self.folder, "plant.db")))


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    parser.add_argument("--tovex", required=True)
    parser.add_argument("--source", required=True)
    ARGS, rest = parser.parse_known_args()
    unittest.main(argv=[sys.argv[0], *rest])
