#pragma once

#include <memory>
#include <string>

#include "datafile/data_set.h"
#include "list/list_table.h"
#include "recorder/records.h"
#include "tool_options.h"

namespace kv::tool {

// The words of the subcommands that show the list, `list` and `print`: the
// file, the order, and each one's own output words.
struct ListOptions {
    std::string command;  // "list" or "print"
    std::string path;
    int sortColumn = 0;
    SortDirection direction = SortDirection::LargestFirst;
    bool absolute = true;  // "絶対値比較"; --signed unchecks it
    bool json = false;     // list --json
    std::string out;       // print --out FILE
    std::string range;     // print --range A-B; empty for every row
};

// Parses the words after the subcommand; false, with the reason on stderr, on
// a usage error.
bool parseListOptions(const ToolOptions& options, ListOptions& out);

// A loaded file and its list, which reads the data set and identity beside it
// (so a LoadedList stays where it was made).
struct LoadedList {
    DataSet data;
    RecorderIdentity identity;
    std::unique_ptr<ListTable> table;
};

// Loads the file and orders its list as asked. Returns kExitOk, or the exit
// status with the reason on stderr.
int loadSortedList(const ListOptions& list, LoadedList& loaded);

}  // namespace kv::tool
