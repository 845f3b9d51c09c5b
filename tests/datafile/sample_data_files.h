#pragma once

// Builds data files of every kind in the layout the download writes, with
// values that a test can predict: the loader's tests, its benchmark and the
// fuzzer's seed files use them.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>

#include "base/cp932.h"
#include "base/datetime.h"

namespace kv::test {

struct SampleDataFile {
    int model = 5100;
    bool wave = false;
    bool english = false;    // "KV Model" and "Wave Mode" for the Japanese texts
    std::string modelField;  // line 1 field 1; empty: "KV-" + model
    std::string rangeField = "100Ｇ";
    int records = 3;             // the count the header states
    int written = -1;            // records actually written; -1: as stated
    std::string countText;       // replaces the stated count when set
    DateTime start = 41713.375;  // 2014/03/15 09:00:00
    int samplePeriodMs = 2;      // wave files

    // Record r's time stamp, axis a's positive and negative peak and widths,
    // wave peak and sample s. The defaults are exact at two decimals.
    std::function<DateTime(int)> timeOf = [this](int r) { return start + (r * 61 + 7) / 86400.0; };
    std::function<double(int, int)> peakOf = [](int r, int a) { return (r % 20) * 0.5 + a; };
    std::function<int(int, int)> widthOf = [](int r, int a) { return (r * 7 + a) % 1001; };
    std::function<double(int, int, int)> sampleOf = [](int r, int a, int s) {
        return ((s + r + a) % 64 - 32) * 0.25;
    };

    bool triaxial() const { return model % 1000 == 300; }
    int axes() const { return triaxial() ? 3 : 1; }
    int block() const { return triaxial() ? 10 : 30; }
    int writtenRecords() const { return written < 0 ? records : written; }
    DateTime end() const { return start + 1.5; }

    // The text as the program's own UTF-8, lines ended by CR LF.
    std::string text() const {
        std::string out;
        auto line = [&](const std::string& l) { out += l + "\r\n"; };
        const bool first = model / 1000 == 4;
        const std::string count = countText.empty() ? std::to_string(records) : countText;
        line((english ? "KV Model," : "ＫＶ種別,") +
             (modelField.empty() ? "KV-" + std::to_string(model) : modelField) + "," + rangeField +
             ",内蔵");
        line("データ親番号,7,製造番号,1234");
        line(std::string("ﾊﾞｯﾃﾘ電圧,3.6,バージョン,") + (first ? "--" : "1.2"));
        std::string mode = wave ? (english ? "Wave Mode" : "波形モード") : "ピークモード";
        std::string axis = first ? "----" : triaxial() ? "３軸同時" : "１軸";
        line("動作モード," + mode + "," + axis + ",上書き無し");
        line("開始時刻," + formatDate(start) + "," + formatTime(start));
        line("終了時刻," + formatDate(end()) + "," + formatTime(end()));
        if (!wave) {
            line("記録周期,1秒");
            line(triaxial() || first ? "センサ番号,11,12,13" : "センサ番号,13");
            line(triaxial() || first ? "センサ感度,2.50,2.50,2.50" : "センサ感度,2.50");
            line("計測回数," + count);
            line("");
            line("");
            line("");
            line(triaxial() ? "年月日,時分秒,XG(+),(ms),XG(-),(ms),,年月日,時分秒,YG(+),(ms),YG(-),"
                              "(ms),,年月日,時分秒,ZG(+),(ms),ZG(-),(ms)"
                            : "年月日,時分秒,G(+),(ms),G(-),(ms)");
            for (int r = 0; r < writtenRecords(); ++r) line(peakLine(r));
            return out;
        }
        line("ｻﾝﾌﾟﾙ周期," + std::to_string(samplePeriodMs) + "ms,トリガポイント,100pt");
        line("センサ番号,11,12,13");
        line("センサ感度,2.50,2.50,2.50");
        line("トリガレベル,10％,20％,30％,");
        line("計測回数," + count + (triaxial() ? "," + count + "," + count : ""));
        line("");
        line("");
        line("");
        for (int first = 0; first < writtenRecords(); first += block()) {
            int n = std::min(block(), writtenRecords() - first);
            line("");
            std::string title, date = "日付", time = "時刻", peak = "MAX(G値)", width = "パルス幅";
            for (int j = 0; j < n; ++j) {
                int r = first + j;
                for (int a = 0; a < axes(); ++a) {
                    static const char* const kAxisNames[3] = {"Ｘ", "Ｙ", "Ｚ"};
                    title +=
                        std::string(",") + kAxisNames[a] + "軸( " + std::to_string(r + 1) + " )";
                    date += "," + formatDate(timeOf(r));
                    time += "," + formatTime(timeOf(r));
                    peak += "," + value(peakOf(r, a));
                    width += "," + std::to_string(widthOf(r, a));
                }
                if (triaxial()) {
                    title += ",";
                    date += ",";
                    time += ",";
                    peak += ",";
                    width += ",";
                }
            }
            line(title);
            line(date);
            line(time);
            line(peak);
            line(width);
            for (int s = 0; s < 512; ++s) {
                std::string l = std::to_string(s + 1);
                for (int j = 0; j < n; ++j) {
                    for (int a = 0; a < axes(); ++a) l += "," + value(sampleOf(first + j, a, s));
                    if (triaxial()) l += ",";
                }
                line(l);
            }
        }
        return out;
    }

    // The file's bytes: CP932.
    std::string bytes() const { return utf8ToCp932(text()).value(); }

    std::string peakLine(int r) const {
        std::string l;
        for (int a = 0; a < axes(); ++a) {
            if (a > 0) l += ",";
            char buf[96];
            double pos = peakOf(r, a), neg = -peakOf(r, a) / 2;
            std::snprintf(buf, sizeof buf, ",%s,%04d,%s,%04d,", signedValue(pos, '+').c_str(),
                          widthOf(r, a), signedValue(neg, '-').c_str(), widthOf(r, a) / 2);
            l += formatDate(timeOf(r) + a / 86400.0) + "," + formatTime(timeOf(r) + a / 86400.0) +
                 buf;
        }
        return l;
    }

    static std::string value(double v) {
        char buf[32];
        std::snprintf(buf, sizeof buf, std::fabs(v) >= 10 ? "%.1f" : "%.2f", v);
        return buf;
    }
    static std::string signedValue(double v, char zeroSign) {
        char buf[32];
        if (v == 0) return std::string(1, zeroSign) + "0.00";
        std::snprintf(buf, sizeof buf, std::fabs(v) >= 10 ? "%+.1f" : "%+.2f", v);
        return buf;
    }
};

}  // namespace kv::test
