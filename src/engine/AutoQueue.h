#pragma once

#include <QString>
#include <QtGlobal>

#include <vector>

namespace skyloom {

class CMersenneTwister;

// AutoQueue's choice: count distinct shortcuts drawn at random from the category (from all
// shortcuts when categoryId is -1) of the library at databasePath, in ascending id order. Never
// more than the category holds, whatever its count said a moment before. The generator is
// seeded with seed first.
std::vector<int> ChooseAutoQueue(const QString& databasePath, int categoryId, int count,
                                 CMersenneTwister& random, quint32 seed);

} // namespace skyloom
