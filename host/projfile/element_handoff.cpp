#include "projfile/element_handoff.h"

#include <utility>

namespace qxhost {

ElementHandoff::ElementHandoff(ElementSink& sink)
    : sink_(sink), filling_(std::make_unique<Batch>()), thread_([this] { take_batches(); })
{
}

ElementHandoff::~ElementHandoff()
{
    {
        const std::lock_guard lock(mutex_);
        closed_ = true;
        stopped_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable()) thread_.join();
}

void ElementHandoff::hand(std::string_view key, std::size_t index, JsonValue element)
{
    filling_->elements.push_back({key, index, element});
    if (filling_->elements.size() < batch_elements) return;
    send(std::exchange(filling_, nullptr));
    filling_ = spare_batch();
}

void ElementHandoff::finish()
{
    send(std::exchange(filling_, nullptr));
    {
        const std::lock_guard lock(mutex_);
        closed_ = true;
    }
    changed_.notify_all();
    thread_.join();
    if (failure_) std::rethrow_exception(failure_);
}

void ElementHandoff::send(std::unique_ptr<Batch> batch)
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return waiting_.size() < most_waiting || stopped_; });
    if (stopped_) return;  // the failure is finish()'s to report
    waiting_.push_back(std::move(batch));
    changed_.notify_all();
}

std::unique_ptr<ElementHandoff::Batch> ElementHandoff::spare_batch()
{
    const std::lock_guard lock(mutex_);
    if (spare_.empty()) return std::make_unique<Batch>();
    std::unique_ptr<Batch> batch = std::move(spare_.back());
    spare_.pop_back();
    return batch;
}

void ElementHandoff::take_batches()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return !waiting_.empty() || closed_; });
        if (waiting_.empty() || stopped_) return;
        std::unique_ptr<Batch> batch = std::move(waiting_.front());
        waiting_.pop_front();
        lock.unlock();
        try {
            for (const Batch::Element& element : batch->elements) sink_.take(element.key, element.index, element.value);
        } catch (...) {
            lock.lock();
            failure_ = std::current_exception();
            stopped_ = true;
            changed_.notify_all();
            return;
        }
        batch->elements.clear();
        batch->arena.reset();
        lock.lock();
        spare_.push_back(std::move(batch));
        changed_.notify_all();
    }
}

}  // namespace qxhost
