#include "store/store.h"

#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>

#include <SQLiteCpp/Transaction.h>

#include "store/revision_tables.h"
#include "store/schema.h"

namespace qxhost::store {

namespace {

// The moment as ISO 8601 UTC to the second ("2026-12-09T12:13:06Z").
std::string utc_now()
{
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm parts{};
    gmtime_r(&now, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts);
    return text;
}

[[noreturn]] void fail(const std::string& path, const std::exception& failure)
{
    throw StoreError(path + ": " + failure.what());
}

}  // namespace

bool looks_like_store(const std::string& path)
{
    static constexpr char header[] = "SQLite format 3";  // and its NUL: 16 bytes
    char start[sizeof header] = {};
    std::ifstream file(path, std::ios::binary);
    file.read(start, sizeof start);
    return file.gcount() == static_cast<std::streamsize>(sizeof start) && std::memcmp(start, header, sizeof header) == 0;
}

namespace {

long add_revision(SQLite::Database& db, const Project& project, const std::string& source)
{
    SQLite::Transaction transaction(db);
    const long revision = write_revision(db, project, source, utc_now());
    transaction.commit();
    return revision;
}

// A new store is made whole under a temporary name and linked to its own
// only then, so that a command stopped while making it leaves no store
// that is not one; linking, unlike renaming, never replaces a store that
// another command made meanwhile.
bool import_into_new_store(const std::string& path, const Project& project, const std::string& source)
{
    const std::string temporary = path + ".new-" + std::to_string(::getpid());
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    try {
        add_revision(*create_store(temporary, path), project, source);
    } catch (...) {
        std::filesystem::remove(temporary, ignored);
        throw;
    }
    const bool linked = ::link(temporary.c_str(), path.c_str()) == 0;
    const int error = errno;
    std::filesystem::remove(temporary, ignored);
    if (linked) return true;
    if (error == EEXIST) return false;
    throw StoreError(path + ": cannot create: " + std::strerror(error));
}

}  // namespace

long import_project(const std::string& path, const Project& project, const std::string& source)
{
    try {
        std::error_code ignored;
        if (!std::filesystem::exists(path, ignored) && import_into_new_store(path, project, source)) return 1;
        return add_revision(*open_store(path, open_for::writing), project, source);
    } catch (const StoreError&) {
        throw;
    } catch (const std::exception& failure) {
        fail(path, failure);
    }
}

std::unique_ptr<Project> load_project(const std::string& path)
{
    const auto db = open_store(path, open_for::reading);
    try {
        const long latest = static_cast<long>(db->execAndGet("SELECT coalesce(max(revision), 0) FROM revision").getInt64());
        if (latest == 0) throw std::runtime_error("the store holds no project");
        return read_revision(*db, latest);
    } catch (const StoreError&) {
        throw;
    } catch (const std::exception& failure) {
        fail(path, failure);
    }
}

}  // namespace qxhost::store
