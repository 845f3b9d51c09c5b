#pragma once

#include <string>

#include "datafile/data_file_loader.h"

namespace kv::tool {

// Loads a data file for a subcommand as the graph window's open command does.
// False with the reason on stderr. A file that may have
// been cut off loads with a warning on stderr naming the line.
bool loadForTool(const std::string& path, DataSet& data, RecorderIdentity& identity,
                 LoadResult& result);

}  // namespace kv::tool
