#pragma once

#include <optional>

#include "base/datetime.h"
#include "datafile/graph_scale.h"
#include "graph/graph_view_state.h"

namespace kv {

// The time windows the scale dialog offers (ComboBox1: all 20 items) and the
// graph window's quick selector (ComboX: the first 19).
constexpr int kTimeWindowChoices = 20;
constexpr int kTimeSelectorItems = 19;
constexpr int kUserTimeWindow = 19;  // "ユーザー指定": typed start and end
extern const char* const kTimeWindowItems[kTimeWindowChoices];

// ComboY and the dialog's YScale radios: magnification 1, 2, 5, 10.
constexpr int kGScaleItems = 4;
extern const char* const kGScaleItemTexts[kGScaleItems];
double gMagnification(int gIndex);  // 0 <= gIndex < kGScaleItems

struct TimeWindow {
    DateTime start = 0;
    DateTime end = 0;
};

// The window of a choice for a measurement from `start` to `end`: 0 the whole
// measurement; 1 .. 18 a preset length from the start cut down to the length's
// grid (minute, hour, midnight); none for 19 (typed) or anything else.
std::optional<TimeWindow> timeWindow(int choice, DateTime start, DateTime end);

// The scale the dialog's OK hands over: wave data always shows samples 0 … 512
// every 100; peak data the window in four divisions. Vertical: ±120 % of the
// range divided by the magnification, in twelve divisions.
GraphScale dialogScale(bool waveData, const TimeWindow& window, double magnification,
                       double rangeG);

// The quick zoom (UpDownX, UpDownY): stores t and g as the selector indices and
// the dialog's choices, makes the zoom scale of time window t (0 .. 18, or 19
// to keep the window typed in the scale dialog) and magnification g (0 .. 3)
// the current scale and resets the scroll bars. The window calls it only while
// it paints; it shows the returned time window in the scale dialog's edits
// (none for wave data).
std::optional<TimeWindow> setZoom(GraphViewState& view, int t, int g, bool waveData, DateTime start,
                                  DateTime end, double rangeG);

// Ranges and positions of the two scroll bars for the dialog's remembered
// choices and the zoom scale: horizontally one step per grid division up to the
// position whose window reaches the measurement's end; vertically 12 × (f − 1)
// steps starting in the middle (the window centred on 0 G).
void updateScrollBars(GraphViewState& view, bool waveData, DateTime endTime);

// Moves the current scale h grid divisions right of the zoom scale in time and
// v divisions down from the top of the ±120 % range in G; records h and v as
// the bars' positions.
void scrollTo(GraphViewState& view, int h, int v, double rangeG);

}  // namespace kv
