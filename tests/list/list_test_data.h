#pragma once

// Data sets for the list's tests, loaded from sample data files exactly as
// the graph window loads a file.

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "datafile/data_file_loader.h"
#include "datafile/data_set.h"
#include "datafile/sample_data_files.h"
#include "support/recording_host.h"

namespace kv::test {

struct LoadedData {
    std::unique_ptr<DataSet> data = std::make_unique<DataSet>();
    RecorderIdentity identity;
};

inline LoadedData loadSample(const SampleDataFile& sample) {
    LoadedData out;
    std::string bytes = sample.bytes();
    std::FILE* f = fmemopen(bytes.data(), bytes.size(), "rb");
    EXPECT_NE(f, nullptr);
    if (!f) return out;
    RecordingHost host;
    EXPECT_TRUE(loadDataStream(f, "/data/sample.csv", *out.data, out.identity, host));
    std::fclose(f);
    return out;
}

}  // namespace kv::test
