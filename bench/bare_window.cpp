// The yardsticks of the start-up benchmark: an empty Qt window of the drill's
// size and title, and with --caption the same window showing one caption, the
// drill's title, in the default font.

#include "form_layout.h"
#include "title.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QString::fromUtf8(vendaro::layout::kTitle));
    window.setFixedSize(vendaro::layout::kClientWidth, vendaro::layout::kClientHeight);
    if (QApplication::arguments().contains(QStringLiteral("--caption")))
        (new QLabel(QStringLiteral("COMPLETA LE SEGUENTI TABELLE"), &window))->setGeometry(48, 32, 689, 33);
    window.show();
    return QApplication::exec();
}
