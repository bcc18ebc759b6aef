#include "cli/CliProgress.h"

#include <unistd.h>

#include <cstdio>
#include <utility>

#include "cli/CliResult.h"

namespace zerandi {

CliProgress::CliProgress(QString what, qsizetype total, bool quiet, bool json)
    : what_(std::move(what)),
      total_(total),
      json_(json),
      enabled_(!quiet && (json || isatty(STDERR_FILENO) != 0)) {
    running_.start();
}

CliProgress::~CliProgress() {
    if (shown_ && !json_) {
        std::fputc('\n', stderr);
        std::fflush(stderr);
    }
}

void CliProgress::Show(qsizetype done) {
    if (!enabled_ || running_.elapsed() < kQuietStartMs) {
        return;
    }
    shown_ = true;
    QByteArray line;
    if (json_) {
        line = "{\"progress\":{\"what\":" + JsonText(what_) +
               ",\"done\":" + QByteArray::number(done) +
               ",\"total\":" + QByteArray::number(total_) + "}}\n";
    } else {
        line = QStringLiteral("\r%1 %2 of %3   ").arg(what_).arg(done).arg(total_).toLocal8Bit();
    }
    std::fputs(line.constData(), stderr);
    std::fflush(stderr);
}

void CliProgress::Show(const QString& what, qsizetype done, qsizetype total) {
    what_ = what;
    total_ = total;
    Show(done);
}

}  // namespace zerandi
