#pragma once

#include <QMainWindow>

class QLabel;

namespace kv {

// The launcher: title, picture buttons and the menu that open every screen.
class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr);

private:
    QLabel* Label1 = nullptr;
};

}  // namespace kv
