#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include "process_run.h"

namespace {

// The lines between `header`'s BEGIN and its matching END, trimmed.
QStringList block(const QString& script, const QString& header)
{
    QStringList lines;
    int depth = 0;
    bool inside = false;
    for (const QString& raw : script.split(u'\n')) {
        const QString line = raw.trimmed();
        if (!inside) {
            inside = line == header;
            continue;
        }
        depth += line == QLatin1String("BEGIN") ? 1 : line == QLatin1String("END") ? -1 : 0;
        if (depth == 0)
            return lines;
        if (line != QLatin1String("BEGIN"))
            lines << line;
    }
    return {};
}

} // namespace

// The Windows resource script is compiled by the MinGW resource compiler and
// read back from the compiled form, so what is checked is what a linker gets.
class WindowsResourceTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void versionInformationIsExactlyTheTable();
    void iconCarriesEverySizeWindowsShows();

private:
    QTemporaryDir dir_;
    QString decompiled_;
};

void WindowsResourceTest::initTestCase()
{
    QVERIFY2(QFileInfo(QStringLiteral(VENDARO_WINDRES)).isExecutable(),
             "x86_64-w64-mingw32-windres is missing: install binutils-mingw-w64-x86-64");
    const QString res = dir_.filePath(QStringLiteral("vendaro.res"));
    const Run compiled =
        run(QStringLiteral(VENDARO_WINDRES), {QStringLiteral("--preprocessor=" VENDARO_CPP), QStringLiteral(VENDARO_RC),
                                              QStringLiteral("-O"), QStringLiteral("res"), QStringLiteral("-o"), res});
    QVERIFY2(compiled.exitCode == 0, qPrintable(compiled.output));
    const Run back =
        run(QStringLiteral(VENDARO_WINDRES), {QStringLiteral("-i"), res, QStringLiteral("-O"), QStringLiteral("rc")});
    QVERIFY2(back.exitCode == 0, qPrintable(back.output));
    decompiled_ = back.output;
}

void WindowsResourceTest::versionInformationIsExactlyTheTable()
{
    static const QRegularExpression language(QStringLiteral("^LANGUAGE (\\d+), (\\d+)$"),
                                             QRegularExpression::MultilineOption);
    QStringList languages;
    for (const QRegularExpressionMatch& match : language.globalMatch(decompiled_))
        languages << match.captured(0);
    QCOMPARE(languages, QStringList{QStringLiteral("LANGUAGE 16, 1")});

    const QString version =
        decompiled_.section(QStringLiteral("1 VERSIONINFO\n"), 1).section(QStringLiteral("BEGIN"), 0, 0);
    const QStringList fixed = version.split(u'\n', Qt::SkipEmptyParts);
    QVERIFY(fixed.contains(QStringLiteral(" FILEVERSION 1, 0, 0, 0")));
    QVERIFY(fixed.contains(QStringLiteral(" PRODUCTVERSION 1, 0, 0, 0")));
    QVERIFY(fixed.contains(QStringLiteral(" FILEOS 0x40004")));
    QVERIFY(fixed.contains(QStringLiteral(" FILETYPE 0x1")));

    QCOMPARE(block(decompiled_, QStringLiteral("BLOCK \"StringFileInfo\"")).first(),
             QStringLiteral("BLOCK \"041004B0\""));
    const QStringList strings = block(decompiled_, QStringLiteral("BLOCK \"041004B0\""));
    const QStringList table{
        QStringLiteral("VALUE \"ProductName\", \"Vendaro\""),
        QStringLiteral("VALUE \"FileVersion\", \"1.00\""),
        QStringLiteral("VALUE \"ProductVersion\", \"1.00\""),
        QStringLiteral("VALUE \"InternalName\", \"Vendaro\""),
        QStringLiteral("VALUE \"OriginalFilename\", \"Vendaro.exe\""),
    };
    QCOMPARE(strings, table);
    QCOMPARE(block(decompiled_, QStringLiteral("BLOCK \"VarFileInfo\"")),
             QStringList{QStringLiteral("VALUE \"Translation\", 0x410, 1200")});
}

void WindowsResourceTest::iconCarriesEverySizeWindowsShows()
{
    QVERIFY(decompiled_.contains(QStringLiteral("1 14 /* RT_GROUP_ICON */")));
    QVERIFY(decompiled_.contains(QStringLiteral("/* Has 7 elements.  */")));
    QImageReader reader(QStringLiteral(VENDARO_ICO));
    QList<int> sides;
    for (int i = 0; i < reader.imageCount(); ++i) {
        QVERIFY(reader.jumpToImage(i));
        const QImage image = reader.read();
        QCOMPARE(image.width(), image.height());
        QVERIFY(image.pixelColor(image.width() / 2, image.height() / 2).alpha() == 255);
        sides << image.width();
    }
    QCOMPARE(sides, (QList<int>{16, 24, 32, 48, 64, 128, 256}));
}

QTEST_MAIN(WindowsResourceTest)
#include "test_install_windows_resource.moc"
