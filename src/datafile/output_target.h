#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kv {

// Why a command must not write its output where it was asked to.
enum class OutputClash {
    None,
    Input,     // the file is one the command reads (however it is named: a link, a hard link)
    DataFile,  // an existing file that begins like a measurement data file
};

// Looks at the file `output` names (following links) against the files the
// command reads. A measurement data file is a record of a recorder's memory
// that may exist nowhere else, so no output ever replaces one.
OutputClash outputClash(const std::string& output, const std::vector<std::string>& inputs);

// Whether these first bytes of a file are the first line of a data file.
bool beginsLikeDataFile(std::string_view firstBytes);

}  // namespace kv
