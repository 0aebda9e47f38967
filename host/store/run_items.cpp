#include "store/run_items.h"

#include <cmath>
#include <optional>
#include <string>

#include <SQLiteCpp/Statement.h>

#include "json/json_writer.h"
#include "store/revision_tables.h"

namespace qxhost::store {

namespace {

// Not a number and the infinities have no JSON form.
void number_or_null(JsonWriter& json, std::optional<double> value)
{
    if (value && std::isfinite(*value))
        json.number(*value);
    else
        json.null();
}

}  // namespace

void write_run_items(SQLite::Database& db, long run, std::span<const run_results::ItemUsage> usages)
{
    std::string text;
    JsonWriter json(text);
    json.begin_array();
    for (const run_results::ItemUsage& usage : usages) {
        json.begin_array();
        json.string(usage.item);
        json.string(usage.description);
        json.string(usage.utility);
        number_or_null(json, usage.amount);
        json.string(usage.amount_units);
        if (usage.stream)
            json.string(*usage.stream);
        else
            json.null();
        number_or_null(json, usage.cost_per_hour);
        json.end();
    }
    json.end();
    SQLite::Statement add(db, "INSERT INTO run_items VALUES (?, ?)");
    add.bind(1, static_cast<std::int64_t>(run));
    add.bindNoCopy(2, text);
    add.exec();
}

std::vector<run_results::ItemUsage> read_run_items(SQLite::Database& db, long run)
{
    SQLite::Statement query(db, "SELECT item, description, utility, amount, amount_units, stream, cost_per_hour "
                                "FROM run_item WHERE run = ? ORDER BY position");
    query.bind(1, static_cast<std::int64_t>(run));
    std::vector<run_results::ItemUsage> items;
    while (query.executeStep()) {
        run_results::ItemUsage& usage = items.emplace_back();
        usage.item = text_of(query.getColumn(0));
        usage.description = text_of(query.getColumn(1));
        usage.utility = text_of(query.getColumn(2));
        usage.amount = number_of(query.getColumn(3));
        usage.amount_units = text_of(query.getColumn(4));
        if (!query.getColumn(5).isNull()) usage.stream = text_of(query.getColumn(5));
        usage.cost_per_hour = number_of(query.getColumn(6));
    }
    return items;
}

}  // namespace qxhost::store
