#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// A command run to its end, its output and errors merged; exit code -1 when
// it could not start or ran out of time.
struct Run {
    int exitCode = -1;
    QString output;
};

inline Run run(const QString& program, const QStringList& arguments, int timeoutMs = 300000)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    const bool finished = process.waitForFinished(timeoutMs);
    return {finished ? process.exitCode() : -1, QString::fromUtf8(process.readAll())};
}
