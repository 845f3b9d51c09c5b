#include "base/sort_keys.h"

#include <algorithm>
#include <new>
#include <vector>

#include "base/kv_assert.h"

namespace kv {
namespace {

struct Item {
    double key;
    int32_t index;
};

constexpr int kRun = 32;                   // sorted by insertion first
constexpr long long kYieldWork = 1 << 16;  // items moved between two yields

// A later item goes before an earlier one only when its key is strictly
// smaller: that keeps the sort stable, and NaN keys merely stay where they are.
void insertionSort(Item* a, int n) {
    for (int i = 1; i < n; ++i) {
        Item x = a[i];
        int j = i;
        while (j > 0 && x.key < a[j - 1].key) {
            a[j] = a[j - 1];
            --j;
        }
        a[j] = x;
    }
}

void merge(const Item* left, int nl, const Item* right, int nr, Item* out) {
    int i = 0, j = 0;
    while (i < nl && j < nr) *out++ = right[j].key < left[i].key ? right[j++] : left[i++];
    out = std::copy(left + i, left + nl, out);
    std::copy(right + j, right + nr, out);
}

}  // namespace

bool sortAscendingByKey(double* keys, int count, int32_t* indexes,
                        const std::function<void()>& processEvents) {
    KV_ASSERT(count >= 0);
    if (count < 2) return true;
    KV_ASSERT(keys != nullptr && indexes != nullptr);

    std::vector<Item> a, b;
    try {
        a.resize(static_cast<size_t>(count));
        b.resize(static_cast<size_t>(count));
    } catch (const std::bad_alloc&) {
        return false;
    }
    for (int i = 0; i < count; ++i) a[i] = {keys[i], indexes[i]};

    long long work = 0;
    auto yield = [&](long long moved) {
        work += moved;
        if (work >= kYieldWork) {
            work = 0;
            if (processEvents) processEvents();
        }
    };

    for (int start = 0; start < count; start += kRun) {
        insertionSort(a.data() + start, std::min(kRun, count - start));
        yield(kRun);
    }
    for (int width = kRun; width < count; width *= 2) {
        for (int start = 0; start < count; start += 2 * width) {
            int mid = std::min(start + width, count);
            int end = std::min(start + 2 * width, count);
            merge(a.data() + start, mid - start, a.data() + mid, end - mid, b.data() + start);
            yield(end - start);
        }
        a.swap(b);
        if (width > count / 2) break;
    }

    for (int i = 0; i < count; ++i) {
        keys[i] = a[i].key;
        indexes[i] = a[i].index;
    }
    return true;
}

}  // namespace kv
