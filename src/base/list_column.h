#pragma once

#include <string>

namespace kv {

// One column of a report-style list: its caption and its width in pixels.
struct ListColumn {
    std::string caption;
    int width;
};

}  // namespace kv
