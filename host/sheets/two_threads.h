// Sharing a workbook's parts out to two threads: the heaviest first, every
// other one to each, so that a large plant's two largest sheets are read or
// written side by side.
#ifndef QXHOST_SHEETS_TWO_THREADS_H
#define QXHOST_SHEETS_TWO_THREADS_H

#include <algorithm>
#include <cstddef>
#include <exception>
#include <thread>
#include <vector>

namespace qxhost::sheets {

// Calls `work(i)` for every index of `weights`. The first failure in the
// indexes' order is rethrown once both threads are done, whichever thread
// met it, so that the same file always gives the same message.
template <class Work>
void on_two_threads(const std::vector<std::size_t>& weights, Work work)
{
    std::vector<std::size_t> by_weight(weights.size());
    for (std::size_t i = 0; i < by_weight.size(); ++i) by_weight[i] = i;
    std::stable_sort(by_weight.begin(), by_weight.end(),
                     [&](std::size_t a, std::size_t b) { return weights[a] > weights[b]; });
    std::vector<std::exception_ptr> failures(weights.size());
    const auto every_other = [&](std::size_t first) {
        for (std::size_t k = first; k < by_weight.size(); k += 2) {
            try {
                work(by_weight[k]);
            } catch (...) {
                failures[by_weight[k]] = std::current_exception();
            }
        }
    };
    {
        std::jthread second(every_other, 1);
        every_other(0);
    }
    for (const std::exception_ptr& failure : failures)
        if (failure) std::rethrow_exception(failure);
}

}  // namespace qxhost::sheets

#endif
