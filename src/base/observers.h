#pragma once

#include <functional>
#include <utility>
#include <vector>

namespace kv {

// The functions to call when something changes, in the order they were added.
// An observer may add another while it is being told; the new one hears of the
// next change.
template <typename... Args>
class Observers {
  public:
    void add(std::function<void(Args...)> observer) { list_.push_back(std::move(observer)); }

    void notify(Args... args) const {
        const std::vector<std::function<void(Args...)>> now = list_;
        for (const auto& observer : now) observer(args...);
    }

  private:
    std::vector<std::function<void(Args...)>> list_;
};

}  // namespace kv
