// An empty Qt window of the drill's size and title, the yardstick of the start-up benchmark.

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("ZENTARI   QUORVO    Addizioni e Sottrazioni in tabella"));
    window.setFixedSize(792, 566);
    window.show();
    return QApplication::exec();
}
