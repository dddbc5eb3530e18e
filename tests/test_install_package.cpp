#include "app/form1.h"

#include <QDir>
#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

struct Run {
    int exitCode = -1;
    QString output;
};

Run run(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment = {})
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (!environment.isEmpty())
        process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(300000))
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAll())};
}

QProcessEnvironment aptEnvironment()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DEBIAN_FRONTEND"), QStringLiteral("noninteractive"));
    return environment;
}

Run apt(const QStringList& arguments)
{
    return run(QStringLiteral("apt-get"),
               QStringList{QStringLiteral("-y"), QStringLiteral("-o"), QStringLiteral("DPkg::Lock::Timeout=300")} +
                   arguments,
               aptEnvironment());
}

QString installedPackages()
{
    return run(QStringLiteral("dpkg-query"),
               {QStringLiteral("-W"), QStringLiteral("-f=${Package} ${Version} ${Status}\\n")})
        .output;
}

bool vendaroInstalled()
{
    return run(QStringLiteral("dpkg-query"),
               {QStringLiteral("-W"), QStringLiteral("-f=${Status}"), QStringLiteral("vendaro")})
        .output.contains(QStringLiteral("ok installed"));
}

// A private X server on the first free display, gone with this object.
class PrivateDisplay {
public:
    PrivateDisplay()
    {
        const QString numberFile = dir_.filePath(QStringLiteral("display"));
        server_.start(QStringLiteral("sh"),
                      {QStringLiteral("-c"),
                       QStringLiteral("exec Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 3>\"$0\""),
                       numberFile});
        QTRY_VERIFY_WITH_TIMEOUT(contents(numberFile).endsWith('\n'), 10000);
        name_ = u':' + QString::fromLatin1(contents(numberFile).trimmed());
    }
    ~PrivateDisplay()
    {
        server_.terminate();
        server_.waitForFinished(5000);
    }

    QString name() const { return name_; }

private:
    static QByteArray contents(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir_;
    QProcess server_;
    QString name_;
};

// Holds a machine-wide lock, so that two builds never install the package at once.
class MachineLock {
public:
    MachineLock() : fd_(::open("/tmp/vendaro-package-test.lock", O_CREAT | O_RDWR, 0644)) { ::flock(fd_, LOCK_EX); }
    ~MachineLock() { ::close(fd_); }

private:
    int fd_;
};

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
    void validatorsAcceptTheDesktopFiles();
    void iconsHaveTheirSizes();
    void installedProgramOpensItsWindow();
    void aptRemovesItWithoutATrace();

private:
    QString controlField(const QString& field);
    QString installedFile(const QString& suffix) const;

    std::unique_ptr<MachineLock> lock_;
    QTemporaryDir dir_;
    QString deb_;
    QStringList files_;
    QString before_;
};

void PackageTest::initTestCase()
{
    if (::geteuid() != 0)
        QSKIP("installing a package takes root");
    lock_ = std::make_unique<MachineLock>();
    QVERIFY2(!vendaroInstalled(), "vendaro is already installed here: remove it before running this test");
    const Run cpack = run(QStringLiteral(VENDARO_CPACK),
                          {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("--config"),
                           QStringLiteral(VENDARO_BINARY_DIR "/CPackConfig.cmake"), QStringLiteral("-B"), dir_.path()});
    QVERIFY2(cpack.exitCode == 0, qPrintable(cpack.output));
    const QStringList debs = QDir(dir_.path()).entryList({QStringLiteral("vendaro_*.deb")});
    QCOMPARE(debs.size(), 1);
    deb_ = dir_.filePath(debs.first());
    const Run contents = run(QStringLiteral("dpkg-deb"), {QStringLiteral("--contents"), deb_});
    QCOMPARE(contents.exitCode, 0);
    for (const QString& line : contents.output.split(u'\n', Qt::SkipEmptyParts))
        if (line.startsWith(u'-'))
            files_ << line.section(u' ', -1).mid(1);
}

void PackageTest::cleanupTestCase()
{
    if (lock_ && vendaroInstalled())
        apt({QStringLiteral("purge"), QStringLiteral("vendaro")});
}

QString PackageTest::controlField(const QString& field)
{
    return run(QStringLiteral("dpkg-deb"), {QStringLiteral("--field"), deb_, field}).output.trimmed();
}

QString PackageTest::installedFile(const QString& suffix) const
{
    for (const QString& file : files_)
        if (file.endsWith(suffix))
            return file;
    return {};
}

void PackageTest::packageNamesItsRuntimeDependencies()
{
    QCOMPARE(QFileInfo(deb_).fileName(), QStringLiteral("vendaro_1.00_amd64.deb"));
    QCOMPARE(controlField(QStringLiteral("Version")), QStringLiteral("1.00"));
    QCOMPARE(controlField(QStringLiteral("Section")), QStringLiteral("education"));
    const QString depends = controlField(QStringLiteral("Depends"));
    for (const char* library : {"libc6", "libstdc++6", "libqt6core6", "libqt6gui6", "libqt6widgets6", "libqt6svg6"}) {
        const QString name = QRegularExpression::escape(QLatin1String(library));
        QVERIFY2(depends.contains(QRegularExpression(QStringLiteral("(^|, )%1 \\(").arg(name))), qPrintable(depends));
    }
    QCOMPARE(installedFile(QStringLiteral("/vendaro")), QStringLiteral("/usr/bin/vendaro"));
}

void PackageTest::aptInstallsIt()
{
    before_ = installedPackages();
    const Run install = apt({QStringLiteral("install"), QStringLiteral("--no-install-recommends"), deb_});
    QVERIFY2(install.exitCode == 0, qPrintable(install.output));
    QVERIFY(vendaroInstalled());
    for (const QString& file : files_)
        QVERIFY2(QFileInfo::exists(file), qPrintable(file));
}

void PackageTest::validatorsAcceptTheDesktopFiles()
{
    const QString desktop = installedFile(QStringLiteral(".desktop"));
    QVERIFY(desktop.startsWith(QStringLiteral("/usr/share/applications/")));
    const Run entry = run(QStringLiteral("desktop-file-validate"), {desktop});
    QVERIFY2(entry.exitCode == 0 && entry.output.isEmpty(), qPrintable(entry.output));
    const QString metainfo = installedFile(QStringLiteral(".metainfo.xml"));
    QVERIFY(metainfo.startsWith(QStringLiteral("/usr/share/metainfo/")));
    const Run appstream =
        run(QStringLiteral("appstreamcli"), {QStringLiteral("validate"), QStringLiteral("--no-net"), metainfo});
    QVERIFY2(appstream.exitCode == 0, qPrintable(appstream.output));

    QSettings entryValues(desktop, QSettings::IniFormat);
    entryValues.beginGroup(QStringLiteral("Desktop Entry"));
    QCOMPARE(entryValues.value(QStringLiteral("Name")).toString(), QStringLiteral("Vendaro"));
    QCOMPARE(entryValues.value(QStringLiteral("X-Vendaro-Version")).toString(), QStringLiteral("1.00"));
    QVERIFY(
        entryValues.value(QStringLiteral("Categories")).toString().split(u';').contains(QStringLiteral("Education")));
    QCOMPARE(QFileInfo(metainfo).completeBaseName(),
             QFileInfo(desktop).completeBaseName() + QStringLiteral(".metainfo"));

    QFile xml(metainfo);
    QVERIFY(xml.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(xml.readAll());
    QVERIFY(text.contains(QStringLiteral("<release version=\"1.00\"")));
    QVERIFY(text.contains(QStringLiteral("<content_rating type=\"oars-1.1\"/>")));
    static const QRegularExpression image(QStringLiteral("<image type=\"source\" width=\"(\\d+)\" height=\"(\\d+)\">"));
    const QRegularExpressionMatch shown = image.match(text);
    QVERIFY(shown.hasMatch());
    const QSize screenshot = QImageReader(QStringLiteral(VENDARO_SCREENSHOT)).size();
    QCOMPARE(QSize(shown.captured(1).toInt(), shown.captured(2).toInt()), screenshot);
    QCOMPARE(screenshot, QSize(792, 566));
}

void PackageTest::iconsHaveTheirSizes()
{
    QSettings entryValues(installedFile(QStringLiteral(".desktop")), QSettings::IniFormat);
    const QString icon = entryValues.value(QStringLiteral("Desktop Entry/Icon")).toString();
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
    PrivateDisplay display;
    QVERIFY(!display.name().isEmpty());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.insert(QStringLiteral("DISPLAY"), display.name());
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral("/usr/bin/vendaro"), {});
    QVERIFY(program.waitForStarted());
    const QStringList window{QStringLiteral("-display"), display.name(), QStringLiteral("-name"), Form1::kTitle};
    QTRY_VERIFY_WITH_TIMEOUT(
        run(QStringLiteral("xwininfo"), window).output.contains(QStringLiteral("Map State: IsViewable")), 15000);
    const QString info = run(QStringLiteral("xwininfo"), window).output;
    QVERIFY(info.contains(QStringLiteral("Width: 792")) && info.contains(QStringLiteral("Height: 566")));
    QCOMPARE(program.state(), QProcess::Running);
    program.terminate();
    QVERIFY(program.waitForFinished(5000));
}

void PackageTest::aptRemovesItWithoutATrace()
{
    const Run purge = apt({QStringLiteral("purge"), QStringLiteral("vendaro")});
    QVERIFY2(purge.exitCode == 0, qPrintable(purge.output));
    QVERIFY(!vendaroInstalled());
    QCOMPARE(installedPackages(), before_);
    for (const QString& file : files_)
        QVERIFY2(!QFileInfo::exists(file), qPrintable(file));
}

QTEST_MAIN(PackageTest)
#include "test_install_package.moc"
