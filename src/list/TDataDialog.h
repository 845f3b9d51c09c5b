#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace kv {

struct DataSet;
struct RecorderIdentity;

// "データ情報": the header information of the loaded data file, rebuilt from
// the data set on every show.
class TDataDialog : public QDialog {
    Q_OBJECT
  public:
    TDataDialog(const DataSet& data, const RecorderIdentity& identity, QWidget* parent = nullptr);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void FormShow();

    const DataSet& data_;
    const RecorderIdentity& identity_;
    QLabel* StaticText1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
};

}  // namespace kv
