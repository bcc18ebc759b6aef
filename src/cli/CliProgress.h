#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QtGlobal>

namespace zerandi {

// How far a long command has come, once the command has run for a second, on standard error:
// one line that rewrites itself on a terminal, or with --json one {"progress": ...} document a
// line for a program to read; nothing with --quiet.
class CliProgress {
public:
    CliProgress(QString what, qsizetype total, bool quiet, bool json);
    ~CliProgress();
    CliProgress(const CliProgress&) = delete;
    CliProgress& operator=(const CliProgress&) = delete;

    void Show(qsizetype done);
    // Shows `done` of `total` under another name: the steps of a command that changes what
    // it counts (the records of each firmware file).
    void Show(const QString& what, qsizetype done, qsizetype total);

private:
    static constexpr qint64 kQuietStartMs = 1000;

    QString what_;
    qsizetype total_;
    bool json_;
    bool enabled_;
    bool shown_ = false;
    QElapsedTimer running_;
};

}  // namespace zerandi
