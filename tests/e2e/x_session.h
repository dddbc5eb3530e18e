#pragma once

#include "e2e/x_client.h"

#include <QProcess>
#include <QRect>
#include <QString>

#include <memory>
#include <vector>

// An X server of the test's own, a window manager where a check needs one,
// and the drill started on it as a pupil would start it. Every process runs
// in a process group of its own, is killed if the test dies, and is ended
// with its whole group when the session goes.
class XSession {
public:
    enum class WindowManager { None, Xfwm4 };

    // `launcher`, if given, runs the drill: a memory checker, say.
    explicit XSession(WindowManager windowManager = WindowManager::None, const QStringList& launcher = {});
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    // Empty once the server, the window manager and the drill's window are up.
    const QString& error() const { return error_; }

    XClient& x() { return *x_; }
    QProcess& program() { return *program_; }
    XClient::Window window() const { return window_; }
    // The client area in root coordinates.
    QRect client() const { return client_; }
    QPoint toRoot(QPoint inClient) const { return client_.topLeft() + inClient; }

    // Everything the drill wrote to its error stream, sanitizer reports included.
    QString programOutput();

    // Puts text on an X selection ("PRIMARY" or "CLIPBOARD") held by xclip.
    bool offerSelection(const char* selection, const QString& text);

private:
    QProcess& spawn(const QString& program, const QStringList& arguments);
    bool startServer();
    bool startWindowManager();
    bool startProgram(const QStringList& launcher);
    void endAll();

    QProcessEnvironment environment_;
    std::vector<std::unique_ptr<QProcess>> processes_;
    std::unique_ptr<XClient> x_;
    QProcess* program_ = nullptr;
    XClient::Window window_ = 0;
    QRect client_;
    QString display_;
    QString error_;
};
