// Parsing in a thread of its own while the calling thread gives the sink the
// elements of streamed arrays: parsing and turning elements into the host's
// model each take about half of reading a large project, and on two cores
// they then take the longer of the two instead of their sum. The sink runs
// on the calling thread, so the model is made, and its memory taken, where
// it is used after.
#ifndef QXHOST_PROJFILE_ELEMENT_HANDOFF_H
#define QXHOST_PROJFILE_ELEMENT_HANDOFF_H

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string_view>
#include <thread>
#include <vector>

#include "projfile/json_document.h"
#include "projfile/json_value.h"

namespace qxhost {

class ElementHandoff {
public:
    explicit ElementHandoff(ElementSink& sink) : sink_(sink), filling_(std::make_unique<Batch>()) {}
    ~ElementHandoff();
    ElementHandoff(const ElementHandoff&) = delete;
    ElementHandoff& operator=(const ElementHandoff&) = delete;

    // Runs `parse` in a thread of its own, which builds the elements with
    // arena() and hands each over with hand(), while this thread gives
    // them to the sink in file order. Returns what `parse` returned once
    // the sink has taken every element; rethrows what the sink or `parse`
    // threw.
    template <class Parse>
    auto run(Parse parse) -> decltype(parse())
    {
        std::optional<decltype(parse())> result;
        start([&] { result.emplace(parse()); });
        take_all();
        return std::move(*result);
    }

    // In the parsing thread: where the values of the element being built
    // go, valid until the next hand().
    JsonArena& arena() { return filling_->arena; }
    // In the parsing thread: the element at `index` of the array under
    // `key` is complete; `key` stays valid until run() returns. False when
    // the sink has failed and parsing is to stop.
    bool hand(std::string_view key, std::size_t index, JsonValue element);

private:
    // Elements go over a thousand at a time: with a few dozen, the thread
    // that takes them caught up on a small file and slept and woke for
    // each batch, which cost what the second thread saved (a 13 MB file
    // read in 0.12 s either way; 0.08 s now). The few batches under way
    // hold a couple of megabytes.
    struct Batch {
        struct Element {
            std::string_view key;
            std::size_t index;
            JsonValue value;
        };
        JsonArena arena;
        std::vector<Element> elements;
    };
    static constexpr std::size_t batch_elements = 1024;
    static constexpr std::size_t most_waiting = 4;

    void start(std::function<void()> parse);
    void take_all();
    bool send(std::unique_ptr<Batch> batch);
    void stop();

    ElementSink& sink_;
    std::unique_ptr<Batch> filling_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::unique_ptr<Batch>> waiting_;
    std::vector<std::unique_ptr<Batch>> spare_;
    bool parsed_ = false;   // the parsing thread is through
    bool stopped_ = false;  // the sink failed: parsing is to stop
    std::exception_ptr parse_failure_;
    std::thread thread_;
};

}  // namespace qxhost

#endif
