#pragma once

#include <string>

namespace kv {

// Makes sure the data folder exists, creating missing parent folders first.
// The file-system root needs nothing. Returns false with the message to show
// when the folder is empty or cannot be created; the program then ends.
bool createDataFolder(const std::string& dataFolder, std::string& error);

}  // namespace kv
