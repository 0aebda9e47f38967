#include "projfile/element_handoff.h"

#include <utility>

namespace qxhost {

ElementHandoff::~ElementHandoff() { stop(); }

void ElementHandoff::start(std::function<void()> parse)
{
    thread_ = std::thread([this, parse = std::move(parse)] {
        try {
            parse();
        } catch (...) {
            parse_failure_ = std::current_exception();
        }
        std::unique_ptr<Batch> last = std::exchange(filling_, nullptr);
        const std::lock_guard lock(mutex_);
        if (last && !last->elements.empty() && !stopped_) waiting_.push_back(std::move(last));
        parsed_ = true;
        changed_.notify_all();
    });
}

bool ElementHandoff::hand(std::string_view key, std::size_t index, JsonValue element)
{
    filling_->elements.push_back({key, index, element});
    if (filling_->elements.size() < batch_elements) return true;
    if (!send(std::exchange(filling_, nullptr))) return false;
    const std::lock_guard lock(mutex_);
    if (spare_.empty()) {
        filling_ = std::make_unique<Batch>();
    } else {
        filling_ = std::move(spare_.back());
        spare_.pop_back();
    }
    return true;
}

bool ElementHandoff::send(std::unique_ptr<Batch> batch)
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return waiting_.size() < most_waiting || stopped_; });
    if (stopped_) return false;
    waiting_.push_back(std::move(batch));
    changed_.notify_all();
    return true;
}

// Gives the sink every batch as it comes, until the parsing thread is
// through; then joins it.
void ElementHandoff::take_all()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return !waiting_.empty() || parsed_; });
        if (waiting_.empty()) break;
        std::unique_ptr<Batch> batch = std::move(waiting_.front());
        waiting_.pop_front();
        changed_.notify_all();
        lock.unlock();
        try {
            for (const Batch::Element& element : batch->elements) sink_.take(element.key, element.index, element.value);
        } catch (...) {
            stop();
            throw;
        }
        batch->elements.clear();
        batch->arena.reset();
        lock.lock();
        spare_.push_back(std::move(batch));
    }
    lock.unlock();
    thread_.join();
    if (parse_failure_) std::rethrow_exception(parse_failure_);
}

void ElementHandoff::stop()
{
    {
        const std::lock_guard lock(mutex_);
        stopped_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable()) thread_.join();
}

}  // namespace qxhost
