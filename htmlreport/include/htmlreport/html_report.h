// The HTML report: one self-contained page for a run, to be read and
// forwarded without the text reports. It loads nothing: styles and charts
// are in the page, and it prints on A4 and Letter alike.
#ifndef TOVEX_HTMLREPORT_HTML_REPORT_H
#define TOVEX_HTMLREPORT_HTML_REPORT_H

#include <optional>
#include <string>
#include <vector>

#include "checks/findings.h"
#include "model/project.h"
#include "host/unitkit.h"
#include "run_results/run_results.h"
#include "run_results/run_journal.h"

namespace tovex_html {

// What the page says of the run besides the project it left.
struct RunFacts {
    std::string call;       // "full", "reduced", "pass 3105 --record"
    std::string when_utc;   // ISO 8601
    int result = 0;         // the entry point's
    std::string version;    // of tovex
    qxhost::run_results::RunResults results;
    // What the run wrote beyond its results; none for a run kept without.
    std::optional<qxhost::run_results::RunJournal> journal;
    // What the checks found of the run.
    std::vector<qxhost::checks::Finding> findings;
};

// `after` must be indexed (Project::index_unless_built()).
std::string html_report(const qxhost::Project& after, const RunFacts& run);

}  // namespace tovex_html

#endif
