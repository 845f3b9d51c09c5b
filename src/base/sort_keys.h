#pragma once

#include <cstdint>
#include <functional>

namespace kv {

// Sorts keys[0 .. count - 1] ascending and moves indexes[] along with them.
// Stable: equal keys keep their order, so records with the same time stay in
// download order. O(n log n). processEvents, when given, is called now and
// then so that the user interface stays responsive during a long sort.
// Returns false, leaving both arrays as they were, when the working memory
// cannot be had.
bool sortAscendingByKey(double* keys, int count, int32_t* indexes,
                        const std::function<void()>& processEvents = {});

}  // namespace kv
