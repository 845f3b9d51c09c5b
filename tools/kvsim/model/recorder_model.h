#pragma once

#include <functional>
#include <memory>
#include <string>

#include "base/datetime.h"
#include "model/recorder_memory.h"
#include "model/responder.h"

namespace kv::sim {

// What the simulated recorder is: its model, mode and the measurements it holds.
struct RecorderConfig {
    int model = 5300;       // 4100, 4300, 5100, 5300, 6100, 6300
    bool waveMode = false;  // later generations only
    unsigned seed = 1;      // measurement data are generated from it
    MeasurementData data = MeasurementData::Shipment;
    int measurements = 3;            // index entries that hold data (0 to 10)
    int recordsPerMeasurement = 20;  // peak records or wave blocks per measurement
    std::string description;         // a description file instead of generated data
    // The description itself, read after the file (handy for tests).
    std::string descriptionText;
    // The time the recorder's clock runs on; empty = the PC's local time.
    // Tests pass their virtual clock's localNow.
    std::function<DateTime()> now;
};

// A complete recorder of any of the six models. It answers every command of its
// generation and stays silent on the others and on frames with a broken
// envelope or CRC, as a real one does:
//   first generation (4100, 4300): 0 status, 1 device number, 2 record period,
//     3 sensors, 16 clock, 17 set clock, 32 index, 33 peak records;
//   later generations: 240 identity, 80 status, 81, 82, 83 (conditions), 96,
//     97, 32 and 33 (peak index and records; empty in wave mode), 112 and 113
//     (wave index and blocks; empty in peak mode).
// Write commands change the recorder and are answered with the frame itself.
// Switching between peak and wave mode with command 83 empties the memory, as
// the measurements of one mode mean nothing in the other. The clock runs on the
// time source; setting it keeps the offset. nextTelegram() streams live peak
// telegrams (peak mode) or wave telegrams (wave mode), generated from the seed.
//
// Description format (text, one statement per line, '#' starts a comment).
// Statements override the configuration and the generated recorder:
//   model 6300                 mode peak|wave          seed 7
//   data shipment|uniform      (how generated measurements look; see MeasurementData)
//   family KV                  device 12               serial 4321
//   range 50                   place A                 sensor X 101 12.3   (axis, number, mV/G)
//   battery 3.6                firmware 1.2            period 1            (record-period index)
//   sample 2                   trigger 10 10 10        threshold 100 100 100
//   pretrigger 0               axismode 0              overwrite 0
//   clock 2014/03/05 09:07:02  (the clock at start; it runs from there)
//   identity SN1234 V1.20      (the 12 identity bytes after range and place)
//   modeltext 5300-050A        (the model text of the identity reply as sent)
//   clear                      (no measurements at all)
//   measurement                (a new index entry; the first one replaces the generated ones)
//     start 2014/03/05 09:00:00     end 2014/03/05 10:00:00   (fields as sent: 2000/00/00 is fine)
//     causes S M               (start and end cause characters; 0 for none)
//     records 20               (peak records or wave blocks per axis; unlisted ones are generated)
//     counts 5 5 5             (wave index counts X Y Z when they differ)
//     peak E P N PW NW         (one record: elapsed s, +peak, -peak codes, widths ms;
//                               or 3 x 5 values)
//     block E A C W            (one wave block: elapsed s, pulse amplitude in codes,
//                               centre sample, half width in samples; or E and 3 x 3 values)
//     raw 14 03 05 09 00 00 ... (the index entry's 24 or 20 bytes exactly as sent;
//                              records still says what the recorder holds behind it)
class RecorderModel : public Responder {
  public:
    RecorderModel(RecorderData data, std::function<DateTime()> now);

    std::vector<uint8_t> respond(const uint8_t* frame, size_t n) override;
    std::vector<uint8_t> nextTelegram() override;

    const RecorderData& data() const { return data_; }
    RecorderData& data() { return data_; }
    // The recorder's clock now.
    DateTime clockNow() const;

    // The single reply builders, public so that tests and kvsim can show them.
    std::vector<uint8_t> identityReply() const;
    std::vector<uint8_t> statusReply() const;
    std::vector<uint8_t> legacyStatusReply() const;
    std::vector<uint8_t> clockReply(uint8_t code) const;
    std::vector<uint8_t> peakIndexReply() const;
    std::vector<uint8_t> waveIndexReply() const;
    std::vector<uint8_t> peakRecordsReply(const uint8_t* payload) const;
    std::vector<uint8_t> waveBlockReply(const uint8_t* payload) const;

  private:
    void setClockFrom(const uint8_t* payload);
    void writeSensors(const uint8_t* payload);
    void writeConditions(const uint8_t* payload);

    RecorderData data_;
    std::function<DateTime()> now_;
    double clockOffsetDays_ = 0;
    long liveCount_ = 0;
};

// The recorder of the configuration. A description (file or text) that cannot
// be read gives nullptr and the reason in error.
std::unique_ptr<RecorderModel> makeRecorderModel(const RecorderConfig& config, std::string& error);
// The same, for callers that have checked the description already: a broken
// description leaves the generated recorder as it is.
std::unique_ptr<Responder> makeRecorderModel(const RecorderConfig& config);

}  // namespace kv::sim
