// tovex_bench [--seed S] [--repeat N] [STREAMS...]: for each size, writes a
// generated plant as a project file, then in a fresh process loads it and
// times the full and the reduced run, the writing of the state file and the
// command end to end, and prints one table row; then the
// targets and whether the table meets them. Default sizes: 1000, 10000,
// 100000 and 1000000 streams.
//
// With --repeat N each size is measured N times, each in a fresh process, the
// sizes in turn, and the row shows the median of each time and the largest
// peak memory: on a shared machine single wall times vary by tens of percent.
//
// Every size runs in processes of its own, so that the peak memory of one
// size (the child's maximum resident set) is not that of another, and the
// generator's memory is never counted.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "checks/findings.h"
#include "fileio/atomic_file.h"
#include "model/run_inputs.h"
#include "plant_generator.h"
#include "model/cost_row_lists.h"
#include "projfile/projfile.h"
#include "sheets/project_sheets.h"
#include "sheets/xlsx_file.h"
#include "store/store.h"
#include "tovex/tovex.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

struct Figures {
    double load_seconds = 0;
    double full_seconds = 0;
    double reduced_seconds = 0;
    long long report_bytes = 0;
    long long file_bytes = 0;
    long baseline_kib = 0;  // resident set before the project is read
    long peak_kib = 0;      // maximum resident set of the measuring process
    int full_result = 0;
    int reduced_result = 0;
    double store_load_seconds = 0;    // the project read from a store instead
    double store_record_seconds = 0;  // a full run's changes and files kept in it
    double state_seconds = 0;         // the project after the full run written as a project file
    double command_seconds = 0;       // tovex run PLANT.json --dir D --state S.json, wall time
    long command_peak_kib = 0;        // its maximum resident set
    double html_seconds = 0;          // the same command with --html PAGE, wall time
    double findings_seconds = 0;      // the checks of the project after the full run
    double check_seconds = 0;         // tovex check PLANT.json, wall time
    double input_state_seconds = 0;   // the project as read, written as a project file
    double xlsx_write_seconds = 0;    // the same written as a workbook
    double xlsx_read_seconds = 0;     // and that workbook read as a project
};

double seconds_since(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

long resident_kib()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return 0;
}

// Reading and checking the file, building the host's model and writing the
// electrical load file: what a host does before it calls the module.
void load_project(const fs::path& file)
{
    auto project = qxhost::read_project_file(file.string());
    const auto load_text = qxhost::electrical_load_file_text(*project);
    qxhost::Workspace::get().load(std::move(project));
    if (load_text) std::ofstream("KVT_ELEC.TMP", std::ios::binary) << *load_text;
}

int run_module(bool full)
{
    qxhost::Project& project = *qxhost::Workspace::get().project();
    const qxhost::CallerLists lists(project.cost_rows);
    const int result = full ? tovex_get_utility_init(project.name.c_str(), project.scenario.c_str(), project.instance,
                                                     lists.names(), lists.cost_slots(), lists.values())
                            : tovex_get_utility_old(project.name.c_str(), project.scenario.c_str(), project.instance,
                                                    lists.names(), lists.cost_slots(), lists.values());
    lists.copy_values_to(project.cost_rows);
    return result;
}

long long report_bytes(const fs::path& folder)
{
    long long bytes = 0;
    for (const auto& file : fs::directory_iterator(folder)) {
        if (!file.is_regular_file() || file.path().filename() == "KVT_ELEC.TMP") continue;
        bytes += static_cast<long long>(file.file_size());
    }
    return bytes;
}

// The measuring child: a load and a full run, then a second load and a
// reduced run, each in an empty working directory. What earlier steps wrote
// (the plant, the reports of the run before) is flushed to disk before each
// timed step, so that its writing back does not run during the step.
Figures measure(const fs::path& project_file, const fs::path& folder)
{
    Figures figures;
    sync();
    figures.file_bytes = static_cast<long long>(fs::file_size(project_file));
    figures.baseline_kib = resident_kib();

    const fs::path full_dir = folder / "full";
    fs::create_directories(full_dir);
    fs::current_path(full_dir);
    auto start = Clock::now();
    load_project(project_file);
    figures.load_seconds = seconds_since(start);
    start = Clock::now();
    figures.full_result = run_module(true);
    figures.full_seconds = seconds_since(start);
    start = Clock::now();
    const auto findings = qxhost::checks::check_project(*qxhost::Workspace::get().project(), {});
    figures.findings_seconds = seconds_since(start);
    qxhost::Workspace::get().unload();
    figures.report_bytes = report_bytes(full_dir);
    sync();

    const fs::path reduced_dir = folder / "reduced";
    fs::create_directories(reduced_dir);
    fs::current_path(reduced_dir);
    load_project(project_file);
    start = Clock::now();
    figures.reduced_result = run_module(false);
    figures.reduced_seconds = seconds_since(start);
    qxhost::Workspace::get().unload();
    return figures;
}

// The same plant kept in a store: the project loaded from it, and a full
// run recorded in it (its changes, files and figures), as `tovex run
// STORE.db` does. Measured in a process of its own, so that the figures
// above keep their peak memory.
Figures measure_store(const fs::path& project_file, const fs::path& folder)
{
    Figures figures;
    const fs::path store_dir = folder / "store";
    fs::create_directories(store_dir);
    fs::current_path(store_dir);
    const std::string store = (store_dir / "plant.db").string();
    fs::remove(store);
    qxhost::store::import_project(store, *qxhost::read_project_file(project_file.string()), project_file.string());
    sync();

    qxhost::store::Store stored(store);
    auto start = Clock::now();
    auto project = stored.begin_run();
    figures.store_load_seconds = seconds_since(start);
    const auto load_text = qxhost::electrical_load_file_text(*project);
    qxhost::Workspace::get().load(std::move(project));
    if (load_text) std::ofstream("KVT_ELEC.TMP", std::ios::binary) << *load_text;
    figures.full_result = run_module(true);
    sync();

    // The project after the run written as a state file, as the command
    // writes it (made a piece at a time, written in a thread, synced and
    // renamed): here, so that the peak memory of the runs above is theirs
    // alone.
    start = Clock::now();
    qxhost::write_file_atomically(folder / "state.json", [&](const qxhost::PieceWriter& write) {
        qxhost::write_project_json(*qxhost::Workspace::get().project(), write);
    });
    figures.state_seconds = seconds_since(start);
    sync();

    start = Clock::now();
    qxhost::store::RunRecord run;
    run.call = "full";
    const qxhost::Project& after = *qxhost::Workspace::get().project();
    run.instance = after.instance;
    run.name = after.name;
    run.scenario = after.scenario;
    run.result = figures.full_result;
    run.files = qxhost::store::files_of_run(fs::current_path(), fs::file_time_type::min());
    run.writes = qxhost::Workspace::get().writes();
    std::string_view summary, detailed;
    for (const auto& [name, bytes] : run.files) {
        if (name == "UtilRes.Txt") summary = bytes;
        if (name == "UtilRes2.Txt") detailed = bytes;
    }
    const auto results = qxhost::run_results::run_results(after, summary, detailed);
    run.total_per_period = results.totals.per_period;
    run.items = results.items;
    stored.record_run(after, run);
    figures.store_record_seconds = seconds_since(start);
    qxhost::Workspace::get().unload();
    return figures;
}

// The plant as a workbook: written, against the same project written as a
// project file, and read back, against the load of the project file (in
// measure()). In a process of its own, so that the figures above keep
// their peak memory.
Figures measure_workbook(const fs::path& project_file, const fs::path& folder)
{
    Figures figures;
    const auto project = qxhost::read_project_file(project_file.string());
    const fs::path book = folder / "plant.xlsx";
    sync();
    auto start = Clock::now();
    qxhost::write_file_atomically(folder / "input-state.json", [&](const qxhost::PieceWriter& write) {
        qxhost::write_project_json(*project, write);
    });
    figures.input_state_seconds = seconds_since(start);
    sync();
    start = Clock::now();
    qxhost::sheets::write_xlsx(qxhost::sheets::project_workbook(*project), book);
    figures.xlsx_write_seconds = seconds_since(start);
    sync();
    const std::vector<std::string> names = qxhost::sheets::project_sheet_names();
    start = Clock::now();
    const auto read = qxhost::sheets::project_from_workbook(qxhost::sheets::read_xlsx(book, names), book.string());
    figures.xlsx_read_seconds = seconds_since(start);
    // The workbook must give the same project back.
    if (qxhost::write_project_json(*read) != qxhost::write_project_json(*project)) {
        std::fprintf(stderr, "tovex_bench: the workbook did not give the same project back\n");
        figures.full_result = -1;
    }
    fs::remove(book);
    fs::remove(folder / "input-state.json");
    return figures;
}

// Runs `work` in a child process; returns its exit status and, through
// `peak_kib`, its maximum resident set.
template <class Work>
int in_child(Work work, long& peak_kib)
{
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child < 0) return -1;
    if (child == 0) {
        int status = 0;
        try {
            status = work();
        } catch (const std::exception& error) {
            std::fprintf(stderr, "tovex_bench: %s\n", error.what());
            status = 1;
        }
        std::fflush(nullptr);
        _exit(status);
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child) return -1;
    peak_kib = usage.ru_maxrss;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool generate(long streams, std::uint64_t seed, const fs::path& project_file)
{
    long ignored = 0;
    return in_child(
               [&] {
                   std::ofstream file(project_file, std::ios::binary);
                   file << qxhost::write_project_json(*tovex_bench::generate_plant(streams, seed));
                   file.close();
                   return file ? 0 : 1;
               },
               ignored) == 0;
}

// Runs `measure_with` in a child, which hands its figures back through a
// pipe.
template <class Measure>
bool figures_from_child(Measure measure_with, const fs::path& project_file, const fs::path& folder,
                        Figures& figures)
{
    int pipe_ends[2];
    if (pipe(pipe_ends) != 0) return false;
    long peak_kib = 0;
    const int measured = in_child(
        [&] {
            close(pipe_ends[0]);
            const Figures measured_figures = measure_with(project_file, folder);
            const bool sent = write(pipe_ends[1], &measured_figures, sizeof measured_figures) ==
                              static_cast<ssize_t>(sizeof measured_figures);
            return sent ? 0 : 1;
        },
        peak_kib);
    close(pipe_ends[1]);
    const bool received = read(pipe_ends[0], &figures, sizeof figures) == static_cast<ssize_t>(sizeof figures);
    close(pipe_ends[0]);
    figures.peak_kib = peak_kib;
    return measured == 0 && received;
}

// The command as a user runs it, in a process of its own: the wall time of
// `tovex run PLANT.json --dir D --state S.json` and its peak memory. The
// command is the one built beside the benchmark.
// With `page`, the command also writes its HTML report there; with "check",
// `tovex check PLANT.json` is timed instead.
bool measure_command(const fs::path& project_file, const fs::path& folder, Figures& figures,
                     const std::string& page = "")
{
    const fs::path command = fs::read_symlink("/proc/self/exe").parent_path() / "tovex";
    const fs::path work = folder / "command";
    fs::create_directories(work);
    const std::string state = (folder / "command-state.json").string();
    sync();
    const auto start = Clock::now();
    long peak_kib = 0;
    const int status = in_child(
        [&] {
            // What the command prints is part of its time; only where it
            // goes is not.
            const int quiet = ::open("/dev/null", O_WRONLY);
            if (quiet >= 0) {
                dup2(quiet, STDOUT_FILENO);
                dup2(quiet, STDERR_FILENO);
            }
            if (page == "check")
                execl(command.c_str(), "tovex", "check", project_file.c_str(), static_cast<char*>(nullptr));
            else if (page.empty())
                execl(command.c_str(), "tovex", "run", project_file.c_str(), "--dir", work.c_str(), "--state",
                      state.c_str(), static_cast<char*>(nullptr));
            else
                execl(command.c_str(), "tovex", "run", project_file.c_str(), "--dir", work.c_str(), "--state",
                      state.c_str(), "--html", page.c_str(), static_cast<char*>(nullptr));
            return 127;
        },
        peak_kib);
    const double seconds = seconds_since(start);
    if (page == "check") {
        figures.check_seconds = seconds;
        return status == 0 || status == 4;
    }
    (page.empty() ? figures.command_seconds : figures.html_seconds) = seconds;
    if (page.empty()) figures.command_peak_kib = peak_kib;
    fs::remove(state);
    if (!page.empty()) fs::remove(page);
    return status == 0;
}

bool measure_in_child(const fs::path& project_file, const fs::path& folder, Figures& figures)
{
    Figures with_store, with_workbook;
    if (!figures_from_child(measure, project_file, folder, figures) ||
        !figures_from_child(measure_store, project_file, folder, with_store) ||
        !figures_from_child(measure_workbook, project_file, folder, with_workbook) || with_workbook.full_result < 0)
        return false;
    figures.input_state_seconds = with_workbook.input_state_seconds;
    figures.xlsx_write_seconds = with_workbook.xlsx_write_seconds;
    figures.xlsx_read_seconds = with_workbook.xlsx_read_seconds;
    figures.store_load_seconds = with_store.store_load_seconds;
    figures.store_record_seconds = with_store.store_record_seconds;
    figures.state_seconds = with_store.state_seconds;
    return with_store.full_result == 1 && measure_command(project_file, folder, figures) &&
           measure_command(project_file, folder, figures, (folder / "page.html").string()) &&
           measure_command(project_file, folder, figures, "check");
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

// The figures of several measurements of one size: the median time of each
// run, the largest peak memory, and the rest from the last.
Figures summarize(const std::vector<Figures>& measured)
{
    const auto median_of = [&](double Figures::*time) {
        std::vector<double> times;
        for (const Figures& one : measured) times.push_back(one.*time);
        return median(std::move(times));
    };
    Figures figures = measured.back();
    for (double Figures::*time : {&Figures::load_seconds, &Figures::full_seconds, &Figures::reduced_seconds,
                                  &Figures::store_load_seconds, &Figures::store_record_seconds,
                                  &Figures::state_seconds, &Figures::command_seconds, &Figures::html_seconds,
                                  &Figures::findings_seconds, &Figures::check_seconds, &Figures::input_state_seconds,
                                  &Figures::xlsx_write_seconds, &Figures::xlsx_read_seconds})
        figures.*time = median_of(time);
    for (const Figures& one : measured) {
        figures.peak_kib = std::max(figures.peak_kib, one.peak_kib);
        figures.command_peak_kib = std::max(figures.command_peak_kib, one.command_peak_kib);
    }
    return figures;
}

// Memory per stream counts what the project and the runs added to the
// process, not the program and its libraries.
double bytes_per_stream(const Figures& figures, long streams)
{
    return 1024.0 * static_cast<double>(figures.peak_kib - figures.baseline_kib) / static_cast<double>(streams);
}

// The command's whole peak, program and libraries included, per stream.
double command_bytes_per_stream(const Figures& figures, long streams)
{
    return 1024.0 * static_cast<double>(figures.command_peak_kib) / static_cast<double>(streams);
}

void print_row(long streams, const Figures& figures)
{
    std::printf("%9ld %9.1f %8.3f %8.3f %9.3f %9.1f %9.0f %11.1f %9.2f %9.3f %9.3f %8.3f %8.3f %8.1f %8.0f %8.3f "
                "%8.3f %8.3f %8.3f %8.3f\n",
                streams,
                static_cast<double>(figures.file_bytes) / 1e6, figures.load_seconds, figures.full_seconds,
                figures.reduced_seconds, static_cast<double>(figures.peak_kib) / 1024.0,
                bytes_per_stream(figures, streams), static_cast<double>(figures.report_bytes) / 1e6,
                figures.full_seconds / figures.load_seconds, figures.store_load_seconds,
                figures.store_record_seconds, figures.state_seconds, figures.command_seconds,
                static_cast<double>(figures.command_peak_kib) / 1024.0, command_bytes_per_stream(figures, streams),
                figures.html_seconds, figures.findings_seconds, figures.check_seconds, figures.xlsx_write_seconds,
                figures.xlsx_read_seconds);
    if (figures.full_result != 1 || figures.reduced_result != 1)
        std::fprintf(stderr, "tovex_bench: a run returned %d / %d\n", figures.full_result, figures.reduced_result);
    std::fflush(stdout);
}

void print_target(const char* target, bool met, const std::string& figure)
{
    std::printf("  %-50s %-10s %s\n", target, figure.c_str(), met ? "met" : "NOT MET");
}

std::string format_figure(const char* format, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// The targets that the table's sizes allow to check.
void print_targets(const std::map<long, Figures>& rows)
{
    std::printf("\ntargets:\n");
    const auto at = [&](long streams) { return rows.find(streams); };
    if (const auto row = at(100000); row != rows.end())
        print_target("full run at 100,000 streams under 1 s", row->second.full_seconds < 1.0,
                     format_figure("%.3f s", row->second.full_seconds));
    if (const auto row = at(1000000); row != rows.end())
        print_target("full run at 1,000,000 streams under 10 s", row->second.full_seconds < 10.0,
                     format_figure("%.3f s", row->second.full_seconds));
    if (const auto small = at(100000), large = at(1000000); small != rows.end() && large != rows.end()) {
        const double growth = large->second.full_seconds / small->second.full_seconds;
        print_target("full run from 100,000 to 1,000,000: at most 11x", growth <= 11.0,
                     format_figure("%.2fx", growth));
    }
    double worst_memory = 0.0;
    double worst_ratio = 0.0;
    for (const auto& [streams, figures] : rows) {
        // Below 100,000 streams the allocator's own reserve outweighs the plant.
        if (streams >= 100000) worst_memory = std::max(worst_memory, bytes_per_stream(figures, streams));
        worst_ratio = std::max(worst_ratio, figures.full_seconds / figures.load_seconds);
    }
    if (worst_memory > 0.0)
        print_target("peak memory under 2 KiB per stream (>= 100,000)", worst_memory < 2048.0,
                     format_figure("%.0f B", worst_memory));
    print_target("full run at most 2 times the load", worst_ratio <= 2.0, format_figure("%.2fx", worst_ratio));
    if (const auto row = rows.find(100000); row != rows.end()) {
        const Figures& f = row->second;
        print_target("load from a store no slower than from JSON", f.store_load_seconds <= f.load_seconds,
                     format_figure("%.3f s", f.store_load_seconds));
        print_target("keeping a run adds at most a fifth to it", f.store_record_seconds <= 0.2 * f.full_seconds,
                     format_figure("%.0f%%", 100.0 * f.store_record_seconds / f.full_seconds));
        print_target("command with --html at most 1.3 times without", f.html_seconds <= 1.3 * f.command_seconds,
                     format_figure("%.2fx", f.html_seconds / f.command_seconds));
        print_target("findings add at most a tenth to a full run", f.findings_seconds <= 0.1 * f.full_seconds,
                     format_figure("%.0f%%", 100.0 * f.findings_seconds / f.full_seconds));
        print_target("check no slower than the command's full run", f.check_seconds <= f.command_seconds,
                     format_figure("%.3f s", f.check_seconds));
        print_target("workbook written in at most twice the project file",
                     f.xlsx_write_seconds <= 2.0 * f.input_state_seconds,
                     format_figure("%.2fx", f.xlsx_write_seconds / f.input_state_seconds));
        print_target("workbook read in at most twice the project file", f.xlsx_read_seconds <= 2.0 * f.load_seconds,
                     format_figure("%.2fx", f.xlsx_read_seconds / f.load_seconds));
    }
    if (const auto row = at(10000); row != rows.end())
        print_target("command with --state at 10,000 streams under 0.1 s", row->second.command_seconds < 0.1,
                     format_figure("%.3f s", row->second.command_seconds));
    if (const auto row = at(1000000); row != rows.end()) {
        const Figures& f = row->second;
        print_target("load at 1,000,000 streams under 2.5 s", f.load_seconds < 2.5,
                     format_figure("%.3f s", f.load_seconds));
        print_target("state written at 1,000,000 streams under 2.5 s", f.state_seconds < 2.5,
                     format_figure("%.3f s", f.state_seconds));
        print_target("command with --state at 1,000,000 under 12 s", f.command_seconds < 12.0,
                     format_figure("%.3f s", f.command_seconds));
        print_target("command's peak under 1.5 KiB per stream", command_bytes_per_stream(f, 1000000) < 1536.0,
                     format_figure("%.0f B", command_bytes_per_stream(f, 1000000)));
    }
}

}  // namespace

int main(int argc, char** argv)
{
    std::uint64_t seed = 1;
    int repeat = 1;
    std::vector<long> sizes;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--seed") == 0 && i + 1 < argc) {
            seed = std::strtoull(argv[++i], nullptr, 10);
            continue;
        }
        if (std::strcmp(argv[i], "--repeat") == 0 && i + 1 < argc) {
            repeat = std::atoi(argv[++i]);
            if (repeat < 1) {
                std::fprintf(stderr, "tovex_bench: --repeat needs a count of at least 1\n");
                return 2;
            }
            continue;
        }
        char* end = nullptr;
        const long size = std::strtol(argv[i], &end, 10);
        if (end == argv[i] || *end != '\0' || size < 4) {
            std::fprintf(stderr, "usage: tovex_bench [--seed S] [--repeat N] [STREAMS...] (each at least 4)\n");
            return 2;
        }
        sizes.push_back(size);
    }
    if (sizes.empty()) sizes = {1000, 10000, 100000, 1000000};

    const fs::path folder = fs::temp_directory_path() / ("tovex-bench-" + std::to_string(getpid()));
    std::printf("%9s %9s %8s %8s %9s %9s %9s %11s %9s %9s %9s %8s %8s %8s %8s %8s %8s %8s %8s %8s\n", "streams",
                "file MB", "load s", "full s", "reduced s", "peak MiB", "B/stream", "reports MB", "full/load", "store ld",
                "store rec", "state s", "cmd s", "cmd MiB", "cmd B/st", "html s", "find s", "check s", "xlsx wr",
                "xlsx rd");
    // One measurement of every size per round: a slow spell of the shared
    // machine then falls on all sizes alike instead of on one, which would
    // bend the ratios between them.
    std::map<long, std::vector<Figures>> measured;
    for (int round = 0; round < repeat; ++round) {
        for (const long streams : sizes) {
            const fs::path size_folder = folder / std::to_string(streams);
            const fs::path project_file = size_folder / "plant.json";
            bool done = true;
            if (round == 0) {
                fs::create_directories(size_folder);
                done = generate(streams, seed, project_file);
            }
            Figures figures;
            if (!done || !measure_in_child(project_file, size_folder, figures)) {
                std::fprintf(stderr, "tovex_bench: the run of %ld streams failed\n", streams);
                fs::remove_all(folder);
                return 1;
            }
            measured[streams].push_back(figures);
            if (repeat == 1) print_row(streams, figures);
            if (round == repeat - 1) fs::remove_all(size_folder);
        }
    }
    std::map<long, Figures> rows;
    for (const long streams : sizes) {
        rows[streams] = summarize(measured[streams]);
        if (repeat > 1) print_row(streams, rows[streams]);
    }
    fs::remove_all(folder);
    print_targets(rows);
    return 0;
}
