// A store file that is not what the store wrote: arbitrary bytes, or (when
// the input begins with '!') a valid store of the example plant with one of
// its runs, with bytes changed where the rest of the input says. Each is
// read every way the command reads a store: it is refused with a StoreError
// or read.
#include <cstring>
#include <optional>
#include <vector>

#include "fuzz_support.h"
#include "projfile/projfile.h"
#include "store/run_diff.h"
#include "store/store.h"

namespace {

constexpr const char* store_path = "fuzz.db";

// The example plant imported and run once on the store.
std::string valid_store;

std::string make_valid_store()
{
    auto project = qxhost::parse_project(
        tovex_fuzz::file_text(TOVEX_SOURCE_DIR "/examples/ethylene-plant.json"), "ethylene-plant.json");
    qxhost::store::import_project(store_path, *project, "ethylene-plant.json");
    {
        qxhost::store::Store store(store_path);
        auto loaded = store.begin_run();
        qxhost::store::RunRecord run;
        run.call = "full";
        run.instance = loaded->instance;
        run.name = loaded->name;
        run.scenario = loaded->scenario;
        run.result = 1;
        run.files = {{"UtilRes.Txt", "a report\n"}};
        store.record_run(*loaded, run);
    }
    std::string bytes = tovex_fuzz::file_text(store_path);
    std::remove(store_path);
    return bytes;
}

// The valid store with the input's changes: each five bytes are an offset
// (four bytes, taken modulo the size) and the byte that replaces it.
std::string changed_store(std::string_view changes)
{
    std::string bytes = valid_store;
    for (; changes.size() >= 5; changes.remove_prefix(5)) {
        std::uint32_t offset = 0;
        std::memcpy(&offset, changes.data(), sizeof offset);
        bytes[offset % bytes.size()] = changes[4];
    }
    return bytes;
}

// Calls `read`; a StoreError is one of the outcomes allowed.
template <class Read>
void allowing_store_errors(const Read& read)
{
    try {
        read();
    } catch (const qxhost::store::StoreError&) {
    }
}

// Each read on its own, so that one refused does not hide the others.
void read_every_way()
{
    using namespace qxhost::store;
    if (!looks_like_store(store_path)) return;
    // A store refused at opening is the only outcome of its own.
    std::optional<Store> store;
    allowing_store_errors([&] { store.emplace(store_path); });
    if (!store) return;
    std::vector<RunSummary> runs;
    allowing_store_errors([&] { runs = store->runs(); });
    allowing_store_errors([&] { store->load_project(); });
    allowing_store_errors([&] { store->run(std::nullopt); });
    for (const RunSummary& run : runs) {
        allowing_store_errors([&] { store->run(run.run); });
        allowing_store_errors([&] { store->files(run.run); });
        allowing_store_errors([&] { store->warnings(run.run); });
        allowing_store_errors([&] { store->journal(run.run); });
        allowing_store_errors([&] { store->items(run.run); });
        allowing_store_errors([&] { store->load_project(run.run); });
        allowing_store_errors([&] { store->diff(runs.front().run, run.run, true); });
    }
    allowing_store_errors([&] {
        auto project = store->begin_run();
        if (project) qxhost::write_project_json(*project, [](std::string_view) {});
    });
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    tovex_fuzz::enter_scratch_folder();
    valid_store = make_valid_store();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input = tovex_fuzz::bytes_text(data, size);
    tovex_fuzz::clear_folder();  // the store, and any journal or WAL beside it
    if (!input.empty() && input.front() == '!')
        tovex_fuzz::write_file(store_path, changed_store(input.substr(1)));
    else
        tovex_fuzz::write_file(store_path, input);
    read_every_way();
    return 0;
}
