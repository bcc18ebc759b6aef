#pragma once

#include <QLatin1String>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <string_view>

namespace zerandi {

class RouterMessage;

// The status message console without its window: the controller's text assembled into
// list entries, and the line typed in terminal mode with its echo. The list normally ends
// in an entry holding one blank, the line on which typing is echoed.
class StatusMessageLines {
public:
    static constexpr qsizetype kMaxEntriesBeforeAdd = 100;
    static constexpr qsizetype kEntryChars = 80;
    // A text frame holds the typed line with carriage return and line feed in 80 bytes.
    static constexpr size_t kMaxTextFrameBytes = 80;
    // How long a poll waits for a message's bytes: a frame that is still arriving when the
    // poll looks is read whole instead of being cut in two and lost.
    static constexpr uint32_t kTextFrameWaitMs = 20;
    static constexpr char kBackspace = 8;
    static constexpr char kCarriageReturn = 13;
    static constexpr QLatin1String kEchoEntry{" "};

    // Called with every entry a line adds (not the one-blank echo entries), in order.
    using EntryObserver = std::function<void(const QString& entry)>;
    void SetEntryObserver(EntryObserver observer) { entryObserver_ = std::move(observer); }

    // One received text message: a carriage return ends a line, printable characters
    // gather, others are dropped; a line that grew past one entry's width is shown now.
    void ReceiveMessage(const RouterMessage& message);
    void ReceiveText(std::string_view text);
    // Adds the line (in entries of at most 80 characters) and then an echo entry.
    void AddLine(const QString& line);
    // Empties the list; the pending and typed lines stay.
    void Clear() { entries_.clear(); }

    // Terminal-mode echo of one typed character (backspace or printable).
    void Echo(char character);
    // The line typed since the last send.
    const QString& TypedLine() const { return typedLine_; }
    // Whether the typed line fits one text frame together with its line end.
    bool TypedLineFits() const;
    static bool LineFitsTextFrame(qsizetype length);
    void ClearTypedLine() { typedLine_.clear(); }

    const QStringList& Entries() const { return entries_; }
    const QString& PendingLine() const { return pendingLine_; }

private:
    static void ApplyTyped(QString& text, char character);

    QStringList entries_;
    QString pendingLine_;
    QString typedLine_;
    EntryObserver entryObserver_;
};

}  // namespace zerandi
