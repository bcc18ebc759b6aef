#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace zerandi {

// Standard output as zerandi-cli writes its data: every write is flushed and checked, and the
// first failure is kept, so that data that never got out (a full disk, a closed pipe) is
// told rather than taken for success.
class CliStandardOutput {
public:
    // Writes and flushes the bytes; false when they did not all get out.
    static bool Write(const QByteArray& bytes);
    // "could not write standard output: No space left on device", for the first failure; the
    // failure counts as told.
    static QString FailureText();
    // Flushes standard output and standard error at the end of the run: the text of a failure
    // not told yet, or nothing.
    static std::optional<QString> Finish();

private:
    static void Keep(int error);
    static inline int firstError_ = 0;
    static inline bool told_ = false;
};

}  // namespace zerandi
