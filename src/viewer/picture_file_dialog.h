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
// Nothing when cancelled.
std::optional<PictureFile> askPictureFile(QWidget* parent, const QString& suggestedPath);

// Asks where to save a CSV file; a name without ".csv" gets it. Empty when
// cancelled.
QString askCsvFile(QWidget* parent, const QString& suggestedPath);

}  // namespace kv
