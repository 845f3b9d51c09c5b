#include "base/sort_keys.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>
#include <vector>

namespace kv {
namespace {

// Sorts a copy with the standard library's stable sort for comparison.
void expectSortedLikeStableSort(std::vector<double> keys) {
    const int n = static_cast<int>(keys.size());
    std::vector<int32_t> indexes(keys.size());
    std::iota(indexes.begin(), indexes.end(), 100);
    std::vector<std::pair<double, int32_t>> expected;
    for (int i = 0; i < n; ++i) expected.emplace_back(keys[i], indexes[i]);
    std::stable_sort(expected.begin(), expected.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });

    ASSERT_TRUE(sortAscendingByKey(keys.data(), n, indexes.data()));
    for (int i = 0; i < n; ++i) {
        ASSERT_EQ(keys[i], expected[i].first) << "n " << n << " at " << i;
        ASSERT_EQ(indexes[i], expected[i].second) << "n " << n << " at " << i;
    }
}

TEST(SortAscendingByKey, AscendingAndStableForEverySize) {
    std::mt19937 random(7);
    for (int n : {0, 1, 2, 3, 31, 32, 33, 64, 65, 1000, 4097, 120000}) {
        std::vector<double> keys(n);
        // Few distinct values, so equal keys are everywhere.
        for (double& k : keys) k = static_cast<double>(random() % 50) / 7.0;
        expectSortedLikeStableSort(keys);
    }
}

TEST(SortAscendingByKey, PresortedReversedAndEqualKeys) {
    std::vector<double> ascending(5000), descending(5000), equal(5000, 41000.5);
    std::iota(ascending.begin(), ascending.end(), 41000.0);
    std::iota(descending.rbegin(), descending.rend(), 41000.0);
    expectSortedLikeStableSort(ascending);
    expectSortedLikeStableSort(descending);
    expectSortedLikeStableSort(equal);
}

TEST(SortAscendingByKey, YieldsDuringALongSortOnly) {
    std::vector<double> keys(120000);
    std::vector<int32_t> indexes(keys.size());
    for (size_t i = 0; i < keys.size(); ++i) keys[i] = static_cast<double>(keys.size() - i);
    int calls = 0;
    ASSERT_TRUE(sortAscendingByKey(keys.data(), static_cast<int>(keys.size()), indexes.data(),
                                   [&] { ++calls; }));
    EXPECT_GT(calls, 5);
    EXPECT_TRUE(std::is_sorted(keys.begin(), keys.end()));

    calls = 0;
    ASSERT_TRUE(sortAscendingByKey(keys.data(), 500, indexes.data(), [&] { ++calls; }));
    EXPECT_EQ(calls, 0);
}

TEST(SortAscendingByKey, NotANumberKeysKeepTheIndexesAPermutation) {
    std::vector<double> keys = {3, NAN, 1, 2, NAN, 0};
    std::vector<int32_t> indexes = {0, 1, 2, 3, 4, 5};
    ASSERT_TRUE(sortAscendingByKey(keys.data(), 6, indexes.data()));
    std::vector<int32_t> sorted = indexes;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, (std::vector<int32_t>{0, 1, 2, 3, 4, 5}));
    const std::vector<double> original = {3, NAN, 1, 2, NAN, 0};
    for (int i = 0; i < 6; ++i) {
        if (std::isnan(keys[i])) continue;
        EXPECT_EQ(keys[i], original[indexes[i]]);
    }
}

}  // namespace
}  // namespace kv
