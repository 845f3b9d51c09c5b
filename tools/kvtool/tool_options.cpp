#include "tool_options.h"

#include <cstdlib>

#include "link/serial_device.h"

namespace kv::tool {

bool hasExtension(const std::string& path, const std::string& extension) {
    if (path.size() < extension.size()) return false;
    for (size_t i = 0; i < extension.size(); ++i) {
        char c = path[path.size() - extension.size() + i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != extension[i]) return false;
    }
    return true;
}

std::optional<ToolOptions> parseToolOptions(int argc, char** argv, std::string& error) {
    ToolOptions o;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&](const char* name) -> std::optional<std::string> {
            if (i + 1 >= argc) {
                error = std::string(name) + " needs a value";
                return std::nullopt;
            }
            return std::string(argv[++i]);
        };
        if (a == "--port") {
            auto v = value("--port");
            if (!v) return std::nullopt;
            o.port = *v;
        } else if (a == "--baud") {
            auto v = value("--baud");
            if (!v) return std::nullopt;
            char* end = nullptr;
            long b = std::strtol(v->c_str(), &end, 10);
            if (v->empty() || *end != '\0' || b <= 0 || b > kMaxBaudRate) {
                error = "--baud needs a positive number";
                return std::nullopt;
            }
            o.baud = static_cast<int>(b);
        } else if (a == "--ini") {
            auto v = value("--ini");
            if (!v) return std::nullopt;
            o.ini = *v;
        } else if (a == "--trace") {
            auto v = value("--trace");
            if (!v) return std::nullopt;
            if (v->empty()) {
                error = "--trace needs a file";
                return std::nullopt;
            }
            o.trace = *v;
        } else if (a == "--limits") {
            auto v = value("--limits");
            if (!v) return std::nullopt;
            o.limits = *v;
        } else {
            o.args.push_back(a);
        }
    }
    if (o.args.empty()) {
        error = "no command given";
        return std::nullopt;
    }
    return o;
}

}  // namespace kv::tool
