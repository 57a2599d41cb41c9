#pragma once

#include <QString>
#include <QtGlobal>

#include <vector>

namespace skyloom {

class CMersenneTwister;

// The shortcuts AutoQueue may draw from: the number the library counted and their ids, in
// ascending order. Two reads, which a shortcut deleted in between makes disagree.
struct AutoQueueCandidates {
    int counted = 0;
    std::vector<int> ids;
};
AutoQueueCandidates LoadAutoQueueCandidates(const QString& databasePath, int categoryId);

// Draws count distinct ids at random, never more than there are, in ascending order. The
// generator is seeded with seed first.
std::vector<int> DrawAutoQueue(const AutoQueueCandidates& candidates, int count,
                               CMersenneTwister& random, quint32 seed);

// AutoQueue's choice: count distinct shortcuts drawn at random from the category (from all
// shortcuts when categoryId is -1) of the library at databasePath, in ascending id order.
std::vector<int> ChooseAutoQueue(const QString& databasePath, int categoryId, int count,
                                 CMersenneTwister& random, quint32 seed);

} // namespace skyloom
