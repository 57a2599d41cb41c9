#include "ParallelRows.h"

#include <QThread>
#include <QtConcurrent/QtConcurrentMap>

#include <algorithm>
#include <vector>

namespace skyloom {

void ParallelRows(int rows, const std::function<void(int, int)>& work) {
    constexpr int kMinimumBand = 16;
    const int threads = std::max(1, QThread::idealThreadCount());
    if (threads == 1 || rows < 2 * kMinimumBand) {
        work(0, rows);
        return;
    }
    // A few bands per core, so that a band that happens to be slower does not hold the rest.
    const int band = std::max(kMinimumBand, (rows + 4 * threads - 1) / (4 * threads));
    std::vector<std::pair<int, int>> bands;
    for (int first = 0; first < rows; first += band)
        bands.emplace_back(first, std::min(rows, first + band));
    QtConcurrent::blockingMap(bands,
                              [&work](const std::pair<int, int>& b) { work(b.first, b.second); });
}

} // namespace skyloom
