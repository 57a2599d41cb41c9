#pragma once

#include <functional>

namespace skyloom {

// Runs work over the rows [0, rows) split into bands across the cores, and returns when every
// band is done. work(first, last) handles rows first to last - 1. Small jobs run inline, and so
// does a job that finds the composer's helper threads busy with another caller's.
void ParallelRows(int rows, const std::function<void(int first, int last)>& work);

} // namespace skyloom
