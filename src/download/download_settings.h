#pragma once

#include "datafile/data_file_naming.h"

namespace kv {

// What a download needs from the PC settings: the line to the recorder and
// where the files go.
struct DownloadSettings {
    int portNumber = 1;
    int baudRate = 38400;
    DataFileNames names;
};

}  // namespace kv
