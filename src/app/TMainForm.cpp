#include "app/TMainForm.h"

#include <QFont>
#include <QLabel>
#include <QVBoxLayout>

namespace kv {

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
    setObjectName("TMainForm");
    setWindowTitle(QStringLiteral("ＫＶマネージャー　(Ver4.02J)"));
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    Label1 = new QLabel(QStringLiteral("ＫＶマネージャー"), central);
    Label1->setObjectName("Label1");
    QFont f = Label1->font();
    f.setPointSize(24);
    f.setBold(true);
    f.setItalic(true);
    Label1->setFont(f);
    Label1->setAlignment(Qt::AlignCenter);
    layout->addWidget(Label1);
    setCentralWidget(central);
    setFixedSize(583, 317);
}

}  // namespace kv
