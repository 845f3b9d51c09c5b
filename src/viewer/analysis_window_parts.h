#pragma once

// The parts of the analysis windows (TShockAnalysis, TTripStatistics): value
// labels and read-only tables that screen readers read, and the restitution
// box.

#include <QString>
#include <string>
#include <vector>

class QBoxLayout;
class QDoubleSpinBox;
class QLabel;
class QTableWidget;
class QWidget;

namespace kv {

class PcSettings;

// A label that shows a value: its text is what a screen reader reads, with
// `description` saying what the value is.
QLabel* valueLabel(QWidget* parent, const char* name, const QString& description);

// A read-only table of texts, as tall as its rows.
QTableWidget* valueTable(QWidget* parent, const char* name, const QString& accessibleName,
                         int columns);
// Sets the headers and the cells (row by row) and fits the columns and the
// height to them.
void fillValueTable(QTableWidget* table, const std::vector<std::string>& headers,
                    const std::vector<std::vector<std::string>>& rows);
// Gives the cells of a row of lower bounds the hint that says why.
void markClipped(QTableWidget* table, int row, const QString& hint);

// "反発係数 e" and its spin box (0.00 … 0.95 in steps of 0.05), added to `row`.
QDoubleSpinBox* restitutionEdit(QWidget* parent, double value, QBoxLayout* row);

// Takes a restitution typed or stepped in the box into the settings, held to
// hundredths; false (nothing changes) for one outside 0 … 0.95.
bool takeRestitution(PcSettings& settings, double value);

}  // namespace kv
