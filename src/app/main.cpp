// ＫＶマネージャー: start-up.
#include <QApplication>

#include "app/TMainForm.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("KVﾏﾈｰｼﾞｬｰ"));
    kv::TMainForm mainForm;
    mainForm.show();
    return app.exec();
}
