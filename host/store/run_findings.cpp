#include "store/run_findings.h"

#include <SQLiteCpp/Statement.h>

#include "store/columns.h"

namespace qxhost::store {

void write_run_findings(SQLite::Database& db, long run, std::span<const checks::Finding> findings)
{
    SQLite::Statement add(db, "INSERT INTO run_finding VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    std::int64_t position = 0;
    for (const checks::Finding& finding : findings) {
        add.bind(1, static_cast<std::int64_t>(run));
        add.bind(2, position++);
        add.bind(3, finding.code);
        add.bind(4, std::string(checks::severity_name(finding.severity)));
        add.bind(5, finding.object);
        add.bind(6, finding.slot);
        add.bind(7, finding.message);
        add.bind(8, finding.hint);
        bind_number(add, 9, finding.amount);
        add.bind(10, finding.amount_units);
        bind_number(add, 11, finding.cost_per_hour);
        add.exec();
        add.reset();
        add.clearBindings();
    }
}

std::vector<checks::Finding> read_run_findings(SQLite::Database& db, long run)
{
    std::vector<checks::Finding> findings;
    SQLite::Statement query(db, "SELECT code, severity, object, slot, message, hint, amount, amount_units, "
                                "cost_per_hour FROM run_finding WHERE run = ? ORDER BY position");
    query.bind(1, static_cast<std::int64_t>(run));
    while (query.executeStep()) {
        checks::Finding& finding = findings.emplace_back();
        finding.code = text_of(query.getColumn(0));
        const std::string severity = text_of(query.getColumn(1));
        finding.severity = severity == "error"     ? checks::Severity::error
                           : severity == "warning" ? checks::Severity::warning
                                                   : checks::Severity::note;
        finding.object = text_of(query.getColumn(2));
        finding.slot = text_of(query.getColumn(3));
        finding.message = text_of(query.getColumn(4));
        finding.hint = text_of(query.getColumn(5));
        finding.amount = number_of(query.getColumn(6));
        finding.amount_units = text_of(query.getColumn(7));
        finding.cost_per_hour = number_of(query.getColumn(8));
    }
    return findings;
}

}  // namespace qxhost::store
