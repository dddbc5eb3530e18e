#include "app/form1.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vendaro"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));

    Form1 form;
    form.showCentred();
    return QApplication::exec();
}
