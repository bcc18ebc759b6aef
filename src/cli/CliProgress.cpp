#include "cli/CliProgress.h"

#include <unistd.h>

#include <cstdio>
#include <utility>

namespace zerandi {

CliProgress::CliProgress(QString what, qsizetype total, bool quiet)
    : what_(std::move(what)), total_(total), enabled_(!quiet && isatty(STDERR_FILENO) != 0) {
    running_.start();
}

CliProgress::~CliProgress() {
    if (shown_) {
        std::fputc('\n', stderr);
        std::fflush(stderr);
    }
}

void CliProgress::Show(qsizetype done) {
    if (!enabled_ || running_.elapsed() < kQuietStartMs) {
        return;
    }
    shown_ = true;
    const QString line = QStringLiteral("\r%1 %2 of %3   ").arg(what_).arg(done).arg(total_);
    std::fputs(line.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
}

}  // namespace zerandi
