#include "command_line.h"

#include <iostream>

#include <CLI/CLI.hpp>

namespace tovex_cli {

namespace {

// What the command line says in place of the file's identity.
struct IdentityOverrides {
    std::uint32_t instance = 0;
    std::string name;
    std::string scenario;
    CLI::Option* instance_option = nullptr;
    CLI::Option* name_option = nullptr;
    CLI::Option* scenario_option = nullptr;

    void store(CommandOptions& options) const
    {
        if (instance_option->count() > 0) options.instance = instance;
        if (name_option->count() > 0) options.name = name;
        if (scenario_option->count() > 0) options.scenario = scenario;
    }
};

// The options that run and pass share.
void add_run_options(CLI::App& command, CommandOptions& options, IdentityOverrides& overrides)
{
    command.add_option("PROJECT", options.project_path, "The project file (JSON), or a project store")->required();
    command.add_option("--dir", options.dir,
                       "Working directory of the run: KVT_ELEC.TMP and the reports (made when missing)");
    command.add_option("--state", options.state_path, "Write the project as the run left it to this file");
    command.add_flag("--json", options.json, "Print the result as one JSON object");
    command.add_option("--html", options.html_path, "Write the run's report as one HTML page to this file");
    overrides.instance_option = command.add_option("--instance", overrides.instance,
                                                   "User instance handed to the module (default: the file's)");
    overrides.name_option =
        command.add_option("--name", overrides.name, "Project name handed to the module (default: the file's)");
    overrides.scenario_option = command.add_option(
        "--scenario", overrides.scenario, "Scenario name handed to the module (default: the file's)");
    command.add_option("--module", options.module_path, "The module library to load (default: the installed one)");
    command.add_option("--xlsx", options.xlsx_path, "Write the run's results as a workbook (.xlsx) to this file");
    command.add_option("--csv", options.csv_path, "Write the run's results as CSV tables into this folder");
    command.add_flag("--strict", options.strict, "Refuse to run when the check finds an error (status 4)");
    command.add_flag("--notes", options.notes, "List the notes among the findings too");
}

// Where a project is written: a project file, a workbook or CSV sheets.
void add_project_outputs(CLI::App& command, CommandOptions& options)
{
    command.add_option("-o,--output", options.output_path, "The project file to write (default: standard output)");
    command.add_option("--xlsx", options.xlsx_path, "Write the project as a workbook (.xlsx) instead");
    command.add_option("--csv", options.csv_path, "Write the project's sheets as CSV files into this folder instead");
}

}  // namespace

std::optional<int> parse_command_line(int argc, char** argv, CommandOptions& options)
{
    CLI::App app("Runs the utility calculation module on a project file, and keeps projects in stores.", "tovex");
    app.set_version_flag("--version", "tovex " TOVEX_VERSION);
    app.require_subcommand(1);

    CLI::App* run = app.add_subcommand("run", "The full run (with --reduced: without equipment information)");
    IdentityOverrides run_overrides;
    add_run_options(*run, options, run_overrides);
    run->add_flag("--reduced", options.reduced, "The run without equipment information");

    CLI::App* pass = app.add_subcommand("pass", "The stream pass for one class id");
    IdentityOverrides pass_overrides;
    add_run_options(*pass, options, pass_overrides);
    pass->add_option("--class", options.class_id, "Class id of the streams")->required();
    pass->add_flag("--record", options.record, "Record each stream's connected item and amount");

    CLI::App* check = app.add_subcommand("check", "Lists what a full run would drop, take as 0 or price in other "
                                                  "units than written; writes nothing");
    check->add_option("PROJECT", options.project_path, "The project file (JSON), or a project store")->required();
    check->add_flag("--json", options.json, "Print the findings as one JSON object");
    check->add_option("--module", options.module_path, "The module library to load (default: the installed one)");

    CLI::App* convert = app.add_subcommand("convert", "Writes a project (a file, a store, a workbook or a folder of "
                                                      "CSV sheets) as a project file, a workbook or CSV sheets");
    convert->add_option("PROJECT", options.project_path, "The project to read")->required();
    add_project_outputs(*convert, options);

    CLI::App* make_template = app.add_subcommand("template", "Writes a workbook to fill in with a plant");
    make_template->add_option("PLANT", options.xlsx_path, "The workbook to write (.xlsx)");
    make_template->add_option("--csv", options.csv_path, "Write the sheets as CSV files into this folder instead");
    make_template->add_flag("--example", options.example, "The example plant instead of an empty workbook");

    CLI::App* import = app.add_subcommand("import", "Stores a project file in a project store, as its new revision");
    import->add_option("PROJECT", options.project_path, "The project file (JSON), a workbook or a folder of CSV sheets")
        ->required();
    import->add_option("STORE", options.store_path, "The store (created when missing)")->required();

    CLI::App* export_project = app.add_subcommand("export", "Writes the project of a store as a project file");
    export_project->add_option("STORE", options.store_path, "The store")->required();
    add_project_outputs(*export_project, options);
    long export_run = 0;
    CLI::Option* export_run_option =
        export_project->add_option("--run", export_run, "The project as this run left it (default: as it stands)");

    CLI::App* runs = app.add_subcommand("runs", "Lists the runs kept in a project store");
    runs->add_option("STORE", options.store_path, "The store")->required();
    runs->add_flag("--json", options.json, "Print the runs as one JSON array");

    CLI::App* report = app.add_subcommand("report", "Writes the reports and KVT_ELEC.TMP of a stored run");
    report->add_option("STORE", options.store_path, "The store")->required();
    long report_run = 0;
    CLI::Option* report_run_option = report->add_option("--run", report_run, "The run (default: the latest)");
    report->add_option("--dir", options.dir, "The folder to write them into (made when missing)");
    report->add_option("--html", options.html_path, "Write the run's report as one HTML page to this file");
    report->add_option("--xlsx", options.xlsx_path, "Write the run's results as a workbook (.xlsx) to this file");
    report->add_option("--csv", options.csv_path, "Write the run's results as CSV tables into this folder");

    CLI::App* diff = app.add_subcommand("diff", "Shows what changed from one stored run to another");
    diff->add_option("STORE", options.store_path, "The store")->required();
    diff->add_option("A", options.from_run, "The run to compare from")->required();
    diff->add_option("B", options.to_run, "The run to compare to")->required();
    diff->add_flag("--json", options.json, "Print the changes as one JSON object");
    diff->add_flag("--all", options.all, "Keep the rows that did not change");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        // --help and --version end here with status 0, as the parser says.
        if (error.get_exit_code() == 0) return app.exit(error);
        std::cerr << "tovex: " << error.what() << "\ntovex: run tovex --help for the usage\n";
        return 2;
    }
    if (check->parsed()) {
        options.action = CommandOptions::Action::check;
        return std::nullopt;
    }
    if (convert->parsed()) {
        options.action = CommandOptions::Action::convert;
        return std::nullopt;
    }
    if (make_template->parsed()) {
        if (options.xlsx_path.empty() == options.csv_path.empty()) {
            std::cerr << "tovex: template: give a workbook (PLANT.xlsx) or --csv DIR\n";
            return 2;
        }
        options.action = CommandOptions::Action::make_template;
        return std::nullopt;
    }
    if (import->parsed()) {
        options.action = CommandOptions::Action::import_project;
        return std::nullopt;
    }
    if (export_project->parsed()) {
        options.action = CommandOptions::Action::export_project;
        if (export_run_option->count() > 0) options.run = export_run;
        return std::nullopt;
    }
    if (runs->parsed()) {
        options.action = CommandOptions::Action::list_runs;
        return std::nullopt;
    }
    if (report->parsed()) {
        if (options.dir.empty() && options.html_path.empty() && options.xlsx_path.empty() && options.csv_path.empty()) {
            std::cerr << "tovex: report: give --dir, --html, --xlsx or --csv\n";
            return 2;
        }
        options.action = CommandOptions::Action::write_report;
        if (report_run_option->count() > 0) options.run = report_run;
        return std::nullopt;
    }
    if (diff->parsed()) {
        options.action = CommandOptions::Action::compare_runs;
        return std::nullopt;
    }
    const bool is_pass = pass->parsed();
    options.action = is_pass ? CommandOptions::Action::pass : CommandOptions::Action::run;
    (is_pass ? pass_overrides : run_overrides).store(options);
    return std::nullopt;
}

}  // namespace tovex_cli
