// libFuzzer target: any bytes as a data file. The load must either succeed
// with a data set inside the store's bounds or fail leaving the previous data
// set exactly as it was.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "base/host.h"
#include "datafile/data_file_loader.h"

namespace {

class QuietHost : public kv::Host {
  public:
    void processEvents() override {}
    int messageBox(const std::string&, const std::string&, int) override { return Ok; }
    void beginProgress(bool) override {}
    void showProgress(int number, int percent) override {
        if (number < 0 || percent < 0 || percent > 100) std::abort();
    }
    void showProgressText(int, const std::string&) override {}
    void endProgress() override {}
    bool loadCancelRequested() const override { return false; }
    void setLoadCancelRequested(bool) override {}
    void setBusy(bool) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    static kv::DataSet* data = new kv::DataSet();
    static kv::DataSet* spare = new kv::DataSet();
    static QuietHost host;
    kv::RecorderIdentity identity;
    identity.modelCode = -7;
    data->filePath = "previous";
    data->lastIndex = 3;

    std::FILE* file = fmemopen(const_cast<uint8_t*>(bytes), size, "rb");
    if (!file) return 0;  // fmemopen refuses an empty buffer
    kv::LoadResult result = kv::loadDataStream(file, "input", *data, identity, host, spare);
    std::fclose(file);

    if (!result) {
        if (data->filePath != "previous" || data->lastIndex != 3 || identity.modelCode != -7)
            std::abort();
        return 0;
    }
    const int capacity = identity.waveData ? kv::kWaveCapacity : kv::kPeakCapacity;
    if (data->filePath != "input" || data->lastIndex < 0 || data->lastIndex >= capacity)
        std::abort();
    return 0;
}
