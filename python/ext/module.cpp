// tovex._tovex: the Python package's core. A Project holds the host's model
// of one project; a run or a check copies it, so the project a script holds
// is never changed by them. Everything else (frames, sweeps, stores) is in
// the package's Python.
#include <pthread.h>

#include <cmath>
#include <optional>
#include <string>

#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include "model/project.h"
#include "places/input_place.h"
#include "projfile/projfile.h"
#include "fileio/atomic_file.h"
#include "script_run.h"
#include "script_store.h"
#include "session/module.h"
#include "session/project_source.h"
#include "sheets/workbook.h"
#include "store/store.h"
#include "store/store_json.h"

namespace py = pybind11;

namespace {

using tovex_python::host_lock;

struct ScriptProject {
    std::unique_ptr<qxhost::Project> project;
};

// A text as Python's str; bytes that are not UTF-8 are kept as surrogates,
// so that the text writes back as the same bytes.
py::str text(const std::string& bytes)
{
    PyObject* decoded = PyUnicode_DecodeUTF8(bytes.data(), static_cast<Py_ssize_t>(bytes.size()), "surrogateescape");
    if (decoded == nullptr) throw py::error_already_set();
    return py::reinterpret_steal<py::str>(decoded);
}

std::string bytes_of(const py::handle& value)
{
    PyObject* encoded = PyUnicode_AsEncodedString(value.ptr(), "utf-8", "surrogateescape");
    if (encoded == nullptr) throw py::error_already_set();
    const auto owned = py::reinterpret_steal<py::bytes>(encoded);
    return owned.cast<std::string>();
}

py::object value_object(const qxhost::Value& value)
{
    switch (value.kind) {
    case qxhost::Value::Kind::number:
        return py::float_(value.number);
    case qxhost::Value::Kind::list: {
        py::list items;
        for (const auto& item : value.items) items.append(text(std::string(item)));
        return items;
    }
    default:
        return text(value.text);
    }
}

// A text as a project file can hold it: no NUL, which no reader of the file
// takes back.
std::string project_text(const py::handle& value, const char* what)
{
    std::string bytes = bytes_of(value);
    if (bytes.find('\0') != std::string::npos)
        throw py::value_error(std::string(what) + " cannot hold the character U+0000");
    return bytes;
}

// Any real number (a numpy one too) but a truth value; finite, as a value
// that is not would pass the run unseen.
qxhost::Value value_of(const py::handle& value, const std::optional<std::string>& units)
{
    const auto wrong = [&] {
        return py::type_error("a value is a number, a text or a list of texts, not " +
                              std::string(py::str(py::type::of(value).attr("__name__"))));
    };
    if (py::isinstance<py::bool_>(value)) throw wrong();
    if (py::isinstance<py::str>(value)) return qxhost::Value::of_text(project_text(value, "a text"));
    if (py::isinstance<py::list>(value) || py::isinstance<py::tuple>(value)) {
        std::vector<std::string> items;
        for (const py::handle item : value) {
            if (!py::isinstance<py::str>(item)) throw py::type_error("a list holds texts only");
            items.push_back(project_text(item, "a text"));
        }
        return qxhost::Value::of_list(std::move(items));
    }
    if (py::hasattr(value, "__float__") && !py::isinstance<py::bytes>(value)) {
        const double number = py::float_(py::reinterpret_borrow<py::object>(value));
        if (!std::isfinite(number)) throw py::value_error("a number must be finite, not " + std::string(py::str(value)));
        return qxhost::Value::of_number(number, units ? project_text(py::str(*units), "units") : std::string());
    }
    throw wrong();
}

py::object cell_object(const qxhost::sheets::Cell& cell)
{
    if (cell.kind == qxhost::sheets::Cell::Kind::number) return py::float_(cell.number);
    if (cell.empty()) return py::none();
    return text(cell.text);
}

py::dict tables_object(const qxhost::sheets::Workbook& workbook)
{
    py::dict tables;
    for (const auto& sheet : workbook.sheets) {
        py::list columns;
        for (const auto& column : sheet.columns) columns.append(text(column.name));
        py::list rows;
        for (const auto& cells : sheet.rows) {
            py::list row;
            for (std::size_t c = 0; c < sheet.columns.size(); ++c)
                row.append(c < cells.size() ? cell_object(cells[c]) : py::none());
            rows.append(std::move(row));
        }
        tables[text(sheet.name)] = py::make_tuple(std::move(columns), std::move(rows));
    }
    return tables;
}

py::object optional_number(const std::optional<double>& number)
{
    return number ? py::object(py::float_(*number)) : py::object(py::none());
}

py::list findings_object(const std::vector<qxhost::checks::Finding>& findings)
{
    py::list rows;
    for (const auto& finding : findings) {
        py::dict row;
        row["code"] = text(finding.code);
        row["severity"] = text(std::string(qxhost::checks::severity_name(finding.severity)));
        row["object"] = text(finding.object);
        row["slot"] = text(finding.slot);
        row["message"] = text(finding.message);
        row["hint"] = text(finding.hint);
        row["amount"] = optional_number(finding.amount);
        row["amount_units"] = text(finding.amount_units);
        row["cost_per_hour"] = optional_number(finding.cost_per_hour);
        rows.append(std::move(row));
    }
    return rows;
}

py::list warnings_object(const std::vector<UnitWarning>& warnings)
{
    py::list rows;
    for (const auto& warning : warnings) {
        py::dict row;
        row["from_units"] = text(warning.from_units);
        row["to_units"] = text(warning.to_units);
        row["source"] = text(warning.source);
        row["message"] = text(warning.message);
        rows.append(std::move(row));
    }
    return rows;
}

qxhost::session::RunRequest request_of(const std::string& call, int class_id, bool record)
{
    const auto named = qxhost::session::call_named(call);
    if (!named) throw py::value_error("a run is \"full\", \"reduced\" or \"pass\", not \"" + call + "\"");
    qxhost::session::RunRequest request;
    request.call = *named;
    request.class_id = class_id;
    request.record = record;
    return request;
}

py::dict outcome_object(tovex_python::ScriptRun& run)
{
    py::dict reports;
    for (const auto& [name, bytes] : run.reports) reports[text(name)] = text(bytes);
    py::dict outcome;
    outcome["result"] = run.result;
    outcome["call"] = text(run.call);
    outcome["request"] = py::make_tuple(std::string(qxhost::session::call_name(run.request.call)),
                                        run.request.class_id, run.request.record);
    outcome["tables"] = tables_object(run.tables);
    outcome["warnings"] = warnings_object(run.warnings);
    outcome["findings"] = findings_object(run.findings);
    outcome["reports"] = std::move(reports);
    outcome["state"] = run.state ? py::cast(ScriptProject{std::move(run.state)}) : py::none();
    return outcome;
}

py::dict run_object(const ScriptProject& project, const std::string& call, int class_id, bool record,
                    const std::string& module_path, bool whole)
{
    const qxhost::session::RunRequest request = request_of(call, class_id, record);
    tovex_python::ScriptRun run;
    {
        const py::gil_scoped_release released;
        const std::lock_guard lock(host_lock());
        run = tovex_python::script_run(*project.project, request, module_path, whole);
    }
    return outcome_object(run);
}

py::dict stored_run_object(const std::string& path, std::optional<long> number)
{
    tovex_python::ScriptRun run;
    {
        const py::gil_scoped_release released;
        const std::lock_guard lock(host_lock());
        run = tovex_python::stored_run(path, number);
    }
    return outcome_object(run);
}

long keep_run(const std::string& path, const ScriptProject& project, const std::string& source,
              const py::dict& outcome, const std::string& call, int class_id, bool record)
{
    tovex_python::RunToKeep run;
    run.request = request_of(call, class_id, record);
    run.result = outcome["result"].cast<int>();
    for (const auto& [name, bytes] : outcome["reports"].cast<py::dict>()) run.files.emplace(bytes_of(name), bytes_of(bytes));
    for (const py::handle warning : outcome["warnings"]) {
        const auto fields = warning.cast<py::dict>();
        run.warnings.push_back({bytes_of(fields["from_units"]), bytes_of(fields["to_units"]), bytes_of(fields["source"]),
                                bytes_of(fields["message"])});
    }
    const py::object state = outcome["state"];
    if (!py::isinstance<ScriptProject>(state)) throw py::value_error("a run made for its figures only cannot be kept");
    run.state = state.cast<const ScriptProject&>().project.get();
    const py::gil_scoped_release released;
    const std::lock_guard lock(host_lock());
    return tovex_python::keep_run(path, *project.project, source, run);
}

template <class Work>
py::str store_text(Work work)
{
    std::string json;
    {
        const py::gil_scoped_release released;
        const std::lock_guard lock(host_lock());
        json = work();
    }
    return text(json);
}

// A store gives a revision's inputs, as they were kept, unless a run is
// asked for: a project as a run left it carries that run's results, which
// a second run would add to.
ScriptProject load(const std::string& path, std::optional<long> run, std::optional<long> revision)
{
    const py::gil_scoped_release released;
    const std::lock_guard lock(host_lock());
    if (!run && qxhost::store::looks_like_store(path))
        return ScriptProject{qxhost::store::Store(path).load_revision(revision)};
    return ScriptProject{qxhost::session::read_project(path, qxhost::session::quiet(), run)};
}

ScriptProject from_json(const std::string& json, const std::string& label)
{
    const std::lock_guard lock(host_lock());
    return ScriptProject{qxhost::parse_project(json, label)};
}

}  // namespace

PYBIND11_MODULE(_tovex, module)
{
    // A sweep forks its workers: a fork waits for a run in another thread
    // to end, so that no child starts with the host's lock held by a
    // thread it does not have.
    pthread_atfork([] { host_lock().lock(); }, [] { host_lock().unlock(); }, [] { host_lock().unlock(); });
    module.doc() = "The core of the tovex package: projects, runs and checks through the command's own libraries.";
    static py::exception<std::runtime_error> project_error(module, "ProjectError", PyExc_ValueError);
    py::register_exception_translator([](std::exception_ptr thrown) {
        try {
            if (thrown) std::rethrow_exception(thrown);
        } catch (const qxhost::ProjectFileError& error) {
            project_error(error.what());
        } catch (const qxhost::sheets::WorkbookError& error) {
            project_error(error.what());
        } catch (const qxhost::store::StoreError& error) {
            project_error(error.what());
        } catch (const qxhost::places::UnknownPlace& error) {
            PyErr_SetString(PyExc_KeyError, error.what());
        } catch (const qxhost::places::WrongValue& error) {
            PyErr_SetString(PyExc_ValueError, error.what());
        } catch (const qxhost::FileWriteError& error) {
            PyErr_SetString(PyExc_OSError, error.what());
        }
    });

    py::class_<ScriptProject>(module, "Project")
        .def_static("load", &load, py::arg("path"), py::arg("run") = py::none(), py::arg("revision") = py::none())
        .def_static("from_json", &from_json, py::arg("json"), py::arg("label") = "the project")
        .def("to_json",
             [](const ScriptProject& self) {
                 std::string json;
                 {
                     const std::lock_guard lock(host_lock());
                     json = qxhost::write_project_json(*self.project);
                 }
                 return text(json);
             })
        .def("save",
             [](const ScriptProject& self, const std::string& path) {
                 const std::lock_guard lock(host_lock());
                 qxhost::write_file_atomically(path, [&](const qxhost::PieceWriter& write) {
                     qxhost::write_project_json(*self.project, write);
                 });
             })
        .def("copy",
             [](const ScriptProject& self) {
                 const std::lock_guard lock(host_lock());
                 return ScriptProject{qxhost::copy_of(*self.project)};
             })
        .def(py::pickle(
            [](const ScriptProject& self) {
                const std::lock_guard lock(host_lock());
                return py::make_tuple(text(qxhost::write_project_json(*self.project)));
            },
            [](const py::tuple& state) {
                const std::string json = bytes_of(state[0]);
                const std::lock_guard lock(host_lock());
                return ScriptProject{qxhost::parse_project(json, "the project")};
            }))
        .def("get",
             [](const ScriptProject& self, const py::str& place) {
                 const std::string name = project_text(place, "a place");
                 const std::lock_guard lock(host_lock());
                 return value_object(qxhost::places::get(*self.project, name));
             })
        .def("units",
             [](const ScriptProject& self, const py::str& place_text) {
                 const std::string place = project_text(place_text, "a place");
                 const std::lock_guard lock(host_lock());
                 const qxhost::Value value = qxhost::places::get(*self.project, place);
                 return text(value.kind == qxhost::Value::Kind::number ? value.units.str() : std::string());
             })
        .def("set",
             [](ScriptProject& self, const py::str& place_text, const py::handle& value,
                const std::optional<std::string>& units) {
                 const std::string place = project_text(place_text, "a place");
                 qxhost::Value converted = value_of(value, units);
                 const std::lock_guard lock(host_lock());
                 qxhost::places::set(*self.project, place, std::move(converted), units.has_value());
             },
             py::arg("place"), py::arg("value"), py::arg("units") = py::none())
        .def("places",
             [](const ScriptProject& self) {
                 const std::lock_guard lock(host_lock());
                 return qxhost::places::every_place(*self.project);
             })
        .def("priced_places",
             [](const ScriptProject& self) {
                 const std::lock_guard lock(host_lock());
                 return qxhost::places::priced_places(*self.project);
             })
        .def_property_readonly("instance", [](const ScriptProject& self) { return self.project->instance; })
        .def_property_readonly("name", [](const ScriptProject& self) { return text(self.project->name); })
        .def_property_readonly("scenario", [](const ScriptProject& self) { return text(self.project->scenario); })
        .def_property_readonly("object_count", [](const ScriptProject& self) { return self.project->objects.size(); });

    module.def("run", &run_object, py::arg("project"), py::arg("call"), py::arg("class_id"), py::arg("record"),
               py::arg("module_path"), py::arg("whole") = true);
    module.def(
        "check",
        [](const ScriptProject& project, const std::string& module_path) {
            std::vector<qxhost::checks::Finding> findings;
            {
                const py::gil_scoped_release released;
                const std::lock_guard lock(host_lock());
                findings = tovex_python::script_check(*project.project, module_path);
            }
            return findings_object(findings);
        },
        py::arg("project"), py::arg("module_path"));
    module.def("store_runs", [](const std::string& path) {
        return store_text([&] { return qxhost::store::runs_json(qxhost::store::Store(path).runs()); });
    });
    module.def("store_diff", [](const std::string& path, long a, long b, bool all) {
        return store_text([&] { return qxhost::store::diff_json(qxhost::store::Store(path).diff(a, b, all)); });
    });
    module.def("store_run", &stored_run_object, py::arg("path"), py::arg("run") = py::none());
    module.def("store_keep", &keep_run, py::arg("path"), py::arg("project"), py::arg("source"), py::arg("outcome"),
               py::arg("call"), py::arg("class_id"), py::arg("record"));
    module.def("store_import", [](const std::string& path, const ScriptProject& project, const std::string& source) {
        const py::gil_scoped_release released;
        const std::lock_guard lock(host_lock());
        return qxhost::store::import_project(path, *project.project, source);
    });
    module.attr("version") = TOVEX_VERSION;
}
