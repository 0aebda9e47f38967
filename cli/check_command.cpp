#include "check_command.h"

#include <iostream>

#include "findings_output.h"
#include "interruption.h"
#include "project_run.h"
#include "session/project_source.h"

namespace tovex_cli {

int check_command(const CommandOptions& options)
{
    const InterruptHandling interrupts;
    Progress progress;
    const auto findings = check_in_scratch(options, qxhost::session::read_project(options.project_path, progress), progress);
    if (options.json) {
        std::string text;
        qxhost::JsonWriter json(text, qxhost::JsonLayout::member_per_line);
        json.begin_object();
        json.key("version").string(TOVEX_VERSION);
        json.key("findings");
        write_findings(json, findings);
        json.end();
        std::cout << text << "\n";
    } else {
        for (const auto& finding : findings) std::cout << qxhost::checks::finding_line(finding) << "\n";
        std::cout << findings_count(findings) << "\n";
    }
    return qxhost::checks::has_error(findings) ? exit_error_found : 0;
}

}  // namespace tovex_cli
