#pragma once

#include <atomic>

namespace skyloom {

// A job's run flag: the work goes on while the int is non-zero; no flag means it always does.
// The main thread clears it to cancel; workers only read it.
inline bool Running(const std::atomic<int>* run) {
    return !run || run->load(std::memory_order_relaxed) != 0;
}

} // namespace skyloom
