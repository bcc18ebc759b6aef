#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QtGlobal>

namespace zerandi {

// How far a long command has come, as one line on standard error that rewrites itself:
// only on a terminal, not with --quiet, and only once the command has run for a second.
class CliProgress {
public:
    CliProgress(QString what, qsizetype total, bool quiet);
    ~CliProgress();
    CliProgress(const CliProgress&) = delete;
    CliProgress& operator=(const CliProgress&) = delete;

    void Show(qsizetype done);

private:
    static constexpr qint64 kQuietStartMs = 1000;

    QString what_;
    qsizetype total_;
    bool enabled_;
    bool shown_ = false;
    QElapsedTimer running_;
};

}  // namespace zerandi
