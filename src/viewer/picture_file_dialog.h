#pragma once

#include <QString>
#include <optional>

#include "viewer/graph_export.h"

class QWidget;

namespace kv {

struct PictureFile {
    QString path;
    GraphExportFormat format = GraphExportFormat::Png;
};

// Asks where to save a picture (PNG, SVG or PDF), starting with
// `suggestedPath` (its ending is replaced by ".png"). The ending of the name
// typed decides the format; a name without one gets the chosen filter's.
// With `titled`, the dialog offers "見出しを付ける" ticked as it says and
// stores the choice there. Nothing when cancelled.
std::optional<PictureFile> askPictureFile(QWidget* parent, const QString& suggestedPath,
                                          bool* titled = nullptr);

// Asks where to save a file of one kind (`filter`, e.g. "PDF (*.pdf)"),
// starting with `suggestedPath` with `ending` instead of its own; a name
// without `ending` gets it. Empty when cancelled.
QString askSaveFile(QWidget* parent, const QString& caption, const QString& suggestedPath,
                    const QString& filter, const QString& ending);

// Asks where to save a CSV file; a name without ".csv" gets it. Empty when
// cancelled.
QString askCsvFile(QWidget* parent, const QString& suggestedPath);

}  // namespace kv
