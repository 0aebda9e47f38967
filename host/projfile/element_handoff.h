// Handing the elements of streamed arrays from the parser to the sink in a
// thread of its own: parsing and turning elements into the host's model
// each take about half of reading a large project, and on two cores they
// then take the longer of the two instead of their sum.
#ifndef QXHOST_PROJFILE_ELEMENT_HANDOFF_H
#define QXHOST_PROJFILE_ELEMENT_HANDOFF_H

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <string_view>
#include <thread>
#include <vector>

#include "projfile/json_document.h"
#include "projfile/json_value.h"

namespace qxhost {

class ElementHandoff {
public:
    explicit ElementHandoff(ElementSink& sink);
    // Stops the sink's thread; elements not yet taken are dropped.
    ~ElementHandoff();
    ElementHandoff(const ElementHandoff&) = delete;
    ElementHandoff& operator=(const ElementHandoff&) = delete;

    // Where the values of the element being built go. Valid until the
    // next hand().
    JsonArena& arena() { return filling_->arena; }
    // The element at `index` of the array under `key` is complete. `key`
    // must stay valid until finish().
    void hand(std::string_view key, std::size_t index, JsonValue element);
    // Waits until the sink has taken every element; rethrows what the sink
    // threw.
    void finish();

private:
    // Elements go over a few hundred at a time, so that the locking costs
    // nothing next to the work.
    struct Batch {
        struct Element {
            std::string_view key;
            std::size_t index;
            JsonValue value;
        };
        JsonArena arena;
        std::vector<Element> elements;
    };
    static constexpr std::size_t batch_elements = 64;
    static constexpr std::size_t most_waiting = 4;

    void send(std::unique_ptr<Batch> batch);
    std::unique_ptr<Batch> spare_batch();
    void take_batches();

    ElementSink& sink_;
    std::unique_ptr<Batch> filling_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::unique_ptr<Batch>> waiting_;
    std::vector<std::unique_ptr<Batch>> spare_;
    bool closed_ = false;
    bool stopped_ = false;  // the sink threw: its thread takes nothing more
    std::exception_ptr failure_;
    std::thread thread_;  // last: it starts once the rest is made
};

}  // namespace qxhost

#endif
