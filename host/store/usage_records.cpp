#include "store/usage_records.h"

#include <string>
#include <optional>

#include <SQLiteCpp/Statement.h>

#include "store/revision_tables.h"

namespace qxhost::store {

namespace {

// JSON for the run_item view: texts escaped as JSON requires (other bytes
// are kept as they are, as SQLite's JSON functions do), numbers in
// shortest form, null for none.
class ItemsJson {
public:
    void begin_item() { text_ += text_.size() == 1 ? "[" : ",["; first_ = true; }
    void end_item() { text_ += ']'; }
    void text(std::string_view value)
    {
        separate();
        text_ += '"';
        for (const char c : value) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte >= 0x20 && c != '"' && c != '\\') {
                text_ += c;
            } else if (byte >= 0x20) {
                text_ += '\\';
                text_ += c;
            } else {
                constexpr char hex[] = "0123456789abcdef";
                text_ += "\\u00";
                text_ += hex[byte >> 4];
                text_ += hex[byte & 0xF];
            }
        }
        text_ += '"';
    }
    void optional_text(const std::optional<std::string>& value)
    {
        if (value) return text(*value);
        separate();
        text_ += "null";
    }
    // Not a number and the infinities have no JSON form.
    void number(std::optional<double> value)
    {
        separate();
        text_ += value && *value - *value == 0 ? shortest_number_text(*value) : "null";
    }
    std::string finished() { return std::move(text_) + "]"; }

private:
    void separate()
    {
        if (!first_) text_ += ',';
        first_ = false;
    }
    std::string text_ = "[";
    bool first_ = true;
};

}  // namespace

void write_run_items(SQLite::Database& db, long run, const std::vector<results::ItemUsage>& usages)
{
    ItemsJson items;
    for (const results::ItemUsage& usage : usages) {
        items.begin_item();
        items.text(usage.item);
        items.text(usage.description);
        items.text(usage.utility);
        items.number(usage.amount);
        items.text(usage.amount_units);
        items.optional_text(usage.stream);
        items.number(usage.cost_per_hour);
        items.end_item();
    }
    const std::string text = items.finished();
    SQLite::Statement add(db, "INSERT INTO run_items VALUES (?, ?)");
    add.bind(1, static_cast<std::int64_t>(run));
    add.bindNoCopy(2, text);
    add.exec();
}

std::vector<results::ItemUsage> read_run_items(SQLite::Database& db, long run)
{
    SQLite::Statement query(db, "SELECT item, description, utility, amount, amount_units, stream, cost_per_hour "
                                "FROM run_item WHERE run = ? ORDER BY position");
    query.bind(1, static_cast<std::int64_t>(run));
    std::vector<results::ItemUsage> items;
    while (query.executeStep()) {
        results::ItemUsage& usage = items.emplace_back();
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
