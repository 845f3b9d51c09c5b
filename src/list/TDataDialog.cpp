#include "list/TDataDialog.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "list/data_information.h"
#include "list/dialog_frame.h"

namespace kv {

TDataDialog::TDataDialog(const DataSet& data, const RecorderIdentity& identity, QWidget* parent)
    : QDialog(parent), data_(data), identity_(identity) {
    setDialogFrame(this, "TDataDialog", QStringLiteral("データ情報"));

    StaticText1 = new QLabel(this);
    StaticText1->setObjectName("StaticText1");
    StaticText1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    StaticText1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    StaticText1->setTextInteractionFlags(Qt::TextSelectableByMouse);
    StaticText1->setTextFormat(Qt::PlainText);
    StaticText1->setMinimumSize(244, 249);
    QFont font = StaticText1->font();
    font.setPixelSize(16);
    StaticText1->setFont(font);

    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setObjectName("BitBtn1");
    QFont bold = BitBtn1->font();
    bold.setPixelSize(16);
    bold.setBold(true);
    BitBtn1->setFont(bold);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(StaticText1, 1);
    layout->addWidget(BitBtn1, 0, Qt::AlignHCenter);
    setMinimumSize(263, 308);
}

void TDataDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TDataDialog::FormShow() {
    StaticText1->setText(QString::fromStdString(dataInformationText(data_, identity_)));
    adjustSize();
    centreOnScreen(this);
}

}  // namespace kv
