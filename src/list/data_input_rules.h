#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kv {

// What the data-input dialog accepts in each of its modes. Each check returns
// the message to show ("入力エラー", information icon) or nothing when the
// input is valid; the dialog then stays open with the user's text.

inline constexpr const char* kInputErrorTitle = "入力エラー";

// A whole number as typed: blanks around it and a sign are allowed; anything
// else, an empty text or a number beyond 32 bits counts as 0.
int parseIntegerOrZero(std::string_view text);
// A decimal number with "." and an optional exponent; nothing when the text is
// not a number (blanks around it are allowed).
std::optional<double> parseDecimal(std::string_view text);

// The threshold as the search edit shows it: 4 significant digits in general
// format, 0 as "0".
std::string searchValueText(float value);

// Search threshold: a number above 0. A text that is not a number gets the
// same message as 0.
std::optional<std::string> searchValueError(std::string_view text);
// Record number 1 .. recordCount.
std::optional<std::string> dataNumberError(std::string_view text, int recordCount);
// Print range: both ends within 1 .. recordCount and start <= end. Checked
// whichever radio button is chosen, since the edits keep their texts.
std::optional<std::string> printRangeError(std::string_view startText, std::string_view endText,
                                           int recordCount);

// The range hint of the data-number sheet: "1　～ " and the record count.
std::string dataNumberRangeText(int recordCount);
// The caption of "all rows": "全てを印刷する(start～end)".
std::string printAllCaption(int start, int end);

}  // namespace kv
