// Writes one small data file of every kind into the folder given, as the
// fuzzer's starting corpus.
#include <fstream>
#include <string>

#include "sample_data_files.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string folder = argv[1];
    for (int model : {4100, 4300, 5100, 5300, 6100, 6300}) {
        for (bool wave : {false, true}) {
            if (wave && model / 1000 == 4) continue;
            kv::test::SampleDataFile file;
            file.model = model;
            file.wave = wave;
            file.english = model == 6300;
            file.records = wave ? (model % 1000 == 300 ? 2 : 3) : 4;
            std::ofstream(folder + "/" + std::to_string(model) + (wave ? "W" : "P") + ".CSV",
                          std::ios::binary)
                << file.bytes();
        }
    }
    return 0;
}
