#include "report_helpers.h"

#include <csignal>
#include <filesystem>

namespace reports_test {

std::string project_json(const project_parts& parts)
{
    std::string json = "{\"project\": {\"instance\": 7, \"name\": \"ETH-REPORTS\", \"scenario\": \"" +
                       parts.scenario_name + "\"},\n\"utility_streams\": {";
    if (!parts.utility_streams_extra.empty()) json += parts.utility_streams_extra + ", ";
    json += "\"entries\": " + parts.entries + "}";
    if (!parts.objects.empty()) json += ",\n\"objects\": " + parts.objects;
    if (!parts.databases.empty()) json += ",\n\"databases\": " + parts.databases;
    if (!parts.cost_rows.empty()) json += ",\n\"cost_rows\": " + parts.cost_rows;
    return json + "}";
}

std::unique_ptr<CqxProject> open_project()
{
    return std::make_unique<CqxProject>(instance, project_name,
                                        tovex_test::loaded().scenario.c_str(), 0, nullptr, nullptr, 0);
}

std::unique_ptr<CqxProject> load_and_open(const project_parts& parts)
{
    return load_and_open(project_json(parts));
}

std::unique_ptr<CqxProject> load_and_open(std::string_view json)
{
    tovex_test::load_project(json);
    return open_project();
}

std::string fixture(const std::string& name)
{
    return tovex_test::read_file(tovex_test::source_dir() / "tests" / "fixtures" / "reports" / name);
}

std::vector<std::string> lines_of(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::vector<std::string> body_lines(const std::string& text, std::string_view column_heading)
{
    const std::string marker = std::string(column_heading) + "\n\n";
    const std::size_t at = text.find(marker);
    if (at == std::string::npos) return {"<no column heading>"};
    return lines_of(text.substr(at + marker.size()));
}

std::string record_text(const std::string& record, const std::string& slot)
{
    CqxGenericObject object(instance, "UTILRES0", record, 0, nullptr, 0);
    std::string text = "<missing>";
    object.GetValue(slot, text);
    return text;
}

bool record_has(const std::string& record, const std::string& slot)
{
    return record_text(record, slot) != "<missing>";
}

void link_to_full_device(const std::string& name)
{
    std::filesystem::create_symlink("/dev/full", name);
}

file_size_limit::file_size_limit(rlim_t limit)
{
    getrlimit(RLIMIT_FSIZE, &saved_);
    previous_handler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit reduced = saved_;
    reduced.rlim_cur = limit;
    setrlimit(RLIMIT_FSIZE, &reduced);
}

file_size_limit::~file_size_limit()
{
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previous_handler_);
}

}  // namespace reports_test
