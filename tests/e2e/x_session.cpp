#include "e2e/x_session.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QThread>

#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

constexpr int kStartTimeoutMs = 60000;
const QString kScreen = QStringLiteral("1280x1024x24");

// In the child: a process group of its own, so that everything it starts can
// be ended together, and death along with the test should the test die first.
void ownGroupDyingWithParent()
{
    setpgid(0, 0);
    prctl(PR_SET_PDEATHSIG, SIGKILL);
}

void endGroup(QProcess& process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    const auto group = static_cast<pid_t>(process.processId());
    ::kill(-group, SIGTERM);
    if (!process.waitForFinished(3000)) {
        ::kill(-group, SIGKILL);
        process.waitForFinished(3000);
    }
}

} // namespace

XSession::XSession(WindowManager windowManager, const QStringList& launcher)
    : environment_(QProcessEnvironment::systemEnvironment())
{
    if (!startServer())
        return;
    if (windowManager == WindowManager::Xfwm4 && !startWindowManager())
        return;
    startProgram(launcher);
}

XSession::~XSession() { endAll(); }

QProcess& XSession::spawn(const QString& program, const QStringList& arguments)
{
    auto& process = *processes_.emplace_back(std::make_unique<QProcess>());
    process.setProcessEnvironment(environment_);
    process.setWorkingDirectory(QDir::tempPath());
    process.setChildProcessModifier(ownGroupDyingWithParent);
    process.start(program, arguments);
    return process;
}

// Xvfb picks a free display itself and writes its number to the descriptor named.
bool XSession::startServer()
{
    QProcess& server = spawn(QStringLiteral("Xvfb"),
                             {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                              QStringLiteral("0"), kScreen, QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    const QDeadlineTimer deadline(kStartTimeoutMs);
    while (!server.canReadLine() && server.state() != QProcess::NotRunning && !deadline.hasExpired())
        server.waitForReadyRead(100);
    const QString number = QString::fromLatin1(server.readLine()).trimmed();
    if (number.isEmpty()) {
        error_ = QStringLiteral("Xvfb did not start: %1").arg(QString::fromLocal8Bit(server.readAllStandardError()));
        return false;
    }
    display_ = QLatin1Char(':') + number;
    environment_.insert(QStringLiteral("DISPLAY"), display_);
    environment_.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment_.remove(QStringLiteral("WAYLAND_DISPLAY"));
    x_ = std::make_unique<XClient>(display_);
    if (!x_->connected())
        error_ = QStringLiteral("cannot connect to %1").arg(display_);
    return error_.isEmpty();
}

// xfwm4 keeps its settings behind D-Bus, so it gets a session bus of its own.
bool XSession::startWindowManager()
{
    spawn(QStringLiteral("dbus-run-session"),
          {QStringLiteral("--"), QStringLiteral("xfwm4"), QStringLiteral("--compositor=off"),
           QStringLiteral("--sm-client-disable")});
    const QDeadlineTimer deadline(kStartTimeoutMs);
    while (!x_->windowManagerRunning() && !deadline.hasExpired())
        QThread::msleep(20);
    if (!x_->windowManagerRunning())
        error_ = QStringLiteral("xfwm4 did not take over the screen");
    return error_.isEmpty();
}

bool XSession::startProgram(const QStringList& launcher)
{
    const QStringList command = launcher + QStringList{QStringLiteral(VENDARO_PROGRAM)};
    program_ = &spawn(command.front(), command.mid(1));
    if (!program_->waitForStarted(kStartTimeoutMs)) {
        error_ = QStringLiteral("the drill did not start: %1").arg(program_->errorString());
        return false;
    }
    const auto window = x_->findWindowOf(program_->processId(), kStartTimeoutMs);
    if (!window) {
        error_ = QStringLiteral("the drill showed no window: %1").arg(programOutput());
        return false;
    }
    window_ = *window;
    client_ = x_->geometry(window_);
    return true;
}

QString XSession::programOutput()
{
    return program_ ? QString::fromLocal8Bit(program_->readAllStandardError()) : QString();
}

bool XSession::offerSelection(const char* selection, const QString& text)
{
    QProcess& xclip = spawn(QStringLiteral("xclip"), {QStringLiteral("-quiet"), QStringLiteral("-selection"),
                                                      QString::fromLatin1(selection).toLower()});
    // Nothing runs an event loop here, so the text is pushed through by waiting.
    xclip.waitForStarted(kStartTimeoutMs);
    xclip.write(text.toUtf8());
    xclip.waitForBytesWritten(kStartTimeoutMs);
    xclip.closeWriteChannel();
    const QDeadlineTimer deadline(kStartTimeoutMs);
    while (!x_->selectionOwned(selection) && !deadline.hasExpired())
        QThread::msleep(20);
    return x_->selectionOwned(selection);
}

// The clients go first and the server last, so that no one loses its display
// while still holding it.
void XSession::endAll()
{
    for (auto process = processes_.rbegin(); process != processes_.rend(); ++process)
        if (process->get() != processes_.front().get())
            endGroup(**process);
    x_.reset();
    if (!processes_.empty())
        endGroup(*processes_.front());
}
