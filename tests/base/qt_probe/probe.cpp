// Compiled with kvcore's flags only: must fail, because the core never sees Qt.
#include <QString>
int main() {
    return QString().size();
}
