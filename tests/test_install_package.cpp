#include "app/form1.h"

#include <QDir>
#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include "process_run.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

Run apt(const QStringList& arguments)
{
    return run(QStringLiteral("apt-get"), QStringList{"-y", "-o", "DPkg::Lock::Timeout=300"} + arguments);
}

QString dpkgQuery(const QStringList& arguments)
{
    return run(QStringLiteral("dpkg-query"), QStringList{"-W"} + arguments).output;
}

bool vendaroInstalled() { return dpkgQuery({"-f=${Status}", "vendaro"}).contains(u"ok installed"); }

} // namespace

// The .deb built by CPack, installed with apt on this machine, started, validated
// and removed again. The slots run in order and build on one another.
class PackageTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void packageNamesItsRuntimeDependencies();
    void aptInstallsIt();
    void desktopFilesAndIconsAreValid();
    void installedProgramOpensItsWindow();
    void aptRemovesItWithoutATrace();

private:
    QString installedFile(const QString& suffix) const;

    bool locked_ = false;
    QTemporaryDir dir_;
    QString deb_;
    QStringList files_;
    QString before_;
};

void PackageTest::initTestCase()
{
    if (::geteuid() != 0)
        QSKIP("installing a package takes root");
    qputenv("DEBIAN_FRONTEND", "noninteractive");
    // A machine-wide lock, held until the test ends, so that two builds never install the package at once.
    locked_ = ::flock(::open("/tmp/vendaro-package-test.lock", O_CREAT | O_RDWR, 0644), LOCK_EX) == 0;
    QVERIFY(locked_);
    QVERIFY2(!vendaroInstalled(), "vendaro is already installed here: remove it before running this test");
    const Run cpack =
        run(VENDARO_CPACK, {"-G", "DEB", "--config", VENDARO_BINARY_DIR "/CPackConfig.cmake", "-B", dir_.path()});
    QVERIFY2(cpack.exitCode == 0, qPrintable(cpack.output));
    const QStringList debs = QDir(dir_.path()).entryList({QStringLiteral("vendaro_*.deb")});
    QCOMPARE(debs.size(), 1);
    deb_ = dir_.filePath(debs.first());
    const Run contents = run(QStringLiteral("dpkg-deb"), {"--contents", deb_});
    QCOMPARE(contents.exitCode, 0);
    for (const QString& line : contents.output.split(u'\n', Qt::SkipEmptyParts))
        if (line.startsWith(u'-'))
            files_ << line.section(u' ', -1).mid(1);
}

void PackageTest::cleanupTestCase()
{
    if (locked_ && vendaroInstalled())
        apt({"purge", "vendaro"});
}

QString PackageTest::installedFile(const QString& suffix) const
{
    const auto file = std::find_if(files_.begin(), files_.end(), [&](const QString& f) { return f.endsWith(suffix); });
    return file == files_.end() ? QString() : *file;
}

void PackageTest::packageNamesItsRuntimeDependencies()
{
    const auto field = [&](const char* name) {
        return run(QStringLiteral("dpkg-deb"), {"--field", deb_, name}).output.trimmed();
    };
    QCOMPARE(QFileInfo(deb_).fileName(), QStringLiteral("vendaro_1.00_amd64.deb"));
    QCOMPARE(field("Version"), QStringLiteral("1.00"));
    QCOMPARE(field("Section"), QStringLiteral("education"));
    const QString depends = field("Depends");
    for (const char* library : {"libc6", "libstdc\\+\\+6", "libqt6core6", "libqt6gui6", "libqt6widgets6", "libqt6svg6"})
        QVERIFY2(depends.contains(QRegularExpression(QStringLiteral("(^|, )%1 \\(").arg(library))),
                 qPrintable(depends));
    QCOMPARE(installedFile(QStringLiteral("/vendaro")), QStringLiteral("/usr/bin/vendaro"));
}

void PackageTest::aptInstallsIt()
{
    before_ = dpkgQuery({"-f=${Package} ${Version} ${Status}\\n"});
    const Run install = apt({"install", "--no-install-recommends", deb_});
    QVERIFY2(install.exitCode == 0, qPrintable(install.output));
    QVERIFY(vendaroInstalled());
    for (const QString& file : files_)
        QVERIFY2(QFileInfo::exists(file), qPrintable(file));
}

// The desktop entry and metainfo pass their validators and name the icon, which comes in every size.
void PackageTest::desktopFilesAndIconsAreValid()
{
    const QString desktop = installedFile(QStringLiteral(".desktop"));
    QVERIFY(desktop.startsWith(u"/usr/share/applications/"));
    const Run entry = run(QStringLiteral("desktop-file-validate"), {desktop});
    QVERIFY2(entry.exitCode == 0 && entry.output.isEmpty(), qPrintable(entry.output));
    const QString metainfo = installedFile(QStringLiteral(".metainfo.xml"));
    QVERIFY(metainfo.startsWith(u"/usr/share/metainfo/"));
    const Run appstream = run(QStringLiteral("appstreamcli"), {"validate", "--no-net", metainfo});
    QVERIFY2(appstream.exitCode == 0, qPrintable(appstream.output));

    const QSettings values(desktop, QSettings::IniFormat);
    QCOMPARE(values.value("Desktop Entry/Name").toString(), QStringLiteral("Vendaro"));
    QCOMPARE(values.value("Desktop Entry/X-Vendaro-Version").toString(), QStringLiteral("1.00"));
    QVERIFY(values.value("Desktop Entry/Categories").toString().split(u';').contains(u"Education"));
    QCOMPARE(QFileInfo(metainfo).completeBaseName(),
             QFileInfo(desktop).completeBaseName() + QStringLiteral(".metainfo"));

    QFile xml(metainfo);
    QVERIFY(xml.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(xml.readAll());
    QVERIFY(text.contains(u"<release version=\"1.00\""));
    QVERIFY(text.contains(u"<content_rating type=\"oars-1.1\"/>"));
    const auto shown =
        QRegularExpression(QStringLiteral("<image type=\"source\" width=\"(\\d+)\" height=\"(\\d+)\">")).match(text);
    QVERIFY(shown.hasMatch());
    const QSize screenshot = QImageReader(VENDARO_SCREENSHOT).size();
    QCOMPARE(QSize(shown.captured(1).toInt(), shown.captured(2).toInt()), screenshot);
    QCOMPARE(screenshot, QSize(792, 566));

    const QString icon = values.value("Desktop Entry/Icon").toString();
    const QString theme = QStringLiteral("/usr/share/icons/hicolor/");
    QVERIFY(files_.contains(theme + QStringLiteral("scalable/apps/%1.svg").arg(icon)));
    for (const int side : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString file = theme + QStringLiteral("%1x%1/apps/%2.png").arg(side).arg(icon);
        QVERIFY2(files_.contains(file), qPrintable(file));
        QCOMPARE(QImageReader(file).size(), QSize(side, side));
    }
}

void PackageTest::installedProgramOpensItsWindow()
{
    QProcess server;
    const auto stopServer = qScopeGuard([&] { server.terminate(), server.waitForFinished(5000); });
    // Xvfb picks a free display itself and writes its number to the descriptor named.
    server.start(QStringLiteral("Xvfb"), {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "1024x768x24"});
    QTRY_VERIFY_WITH_TIMEOUT(server.canReadLine(), 10000);
    const QString display = u':' + QString::fromLatin1(server.readLine()).trimmed();

    // Started as a desktop starts it: on the display, with no platform chosen for it.
    qputenv("DISPLAY", display.toLatin1());
    qunsetenv("QT_QPA_PLATFORM");
    QProcess program; // killed by its destructor should a check fail
    program.start(QStringLiteral("/usr/bin/vendaro"), {});
    QVERIFY(program.waitForStarted());
    const QStringList window{"-display", display, "-name", Form1::kTitle};
    QString info;
    QTRY_VERIFY_WITH_TIMEOUT((info = run(QStringLiteral("xwininfo"), window).output).contains(u"Map State: IsViewable"),
                             15000);
    QVERIFY(info.contains(u"Width: 792") && info.contains(u"Height: 566"));
    QCOMPARE(program.state(), QProcess::Running);
    program.terminate();
    QVERIFY(program.waitForFinished(5000));
}

void PackageTest::aptRemovesItWithoutATrace()
{
    const Run purge = apt({"purge", "vendaro"});
    QVERIFY2(purge.exitCode == 0, qPrintable(purge.output));
    QVERIFY(!vendaroInstalled());
    QCOMPARE(dpkgQuery({"-f=${Package} ${Version} ${Status}\\n"}), before_);
    for (const QString& file : files_)
        QVERIFY2(!QFileInfo::exists(file), qPrintable(file));
}

QTEST_MAIN(PackageTest)
#include "test_install_package.moc"
