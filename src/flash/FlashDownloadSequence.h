#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zerandi {

class RouterDiagnosticCommPort;
class UiServices;

// One named firmware file: the slot it was named in and the component it is written to.
struct FlashFile {
    int slot = 0;
    uint8_t component = 0;
    QString componentName;  // as the status line names it: "Diag Appl", "PLD0"
    QString path;
};

// What the screen shows at one step of a download: the status line, and the progress bar of
// the slot being written, which runs from 0 to `range`.
struct FlashProgress {
    int slot = 0;
    QString status;
    int range = 0;
    int position = 0;
    bool operator==(const FlashProgress&) const = default;
};

// Writes firmware files into the control card, one S-record line per message. Every file is
// read and checked before the card is put into flash mode for any of them, so a damaged or
// wrong file is refused with nothing sent. Failures are shown through the facade's box, then
// this sequence's own message.
class FlashDownloadSequence {
public:
    // The second record waits while the card erases its flash.
    static constexpr uint32_t kSecondRecordTimeoutMs = 2000;
    static constexpr int kSecondRecordRetries = 35;
    static constexpr uint32_t kSecondRecordRetryPauseMs = 100;
    static constexpr uint32_t kRecordTimeoutMs = 500;
    static constexpr int kRecordRetries = 3;
    static constexpr uint32_t kRecordRetryPauseMs = 100;
    // The card programs each record after acknowledging it.
    static constexpr int kAfterRecordPauseMs = 10;
    // Far beyond any firmware image; a larger file was named by mistake.
    static constexpr qint64 kMaxImageBytes = 16 * 1024 * 1024;

    using ProgressObserver = std::function<void(const FlashProgress&)>;

    FlashDownloadSequence(RouterDiagnosticCommPort& port, UiServices& ui,
                          ProgressObserver observer);

    // Checks every file, then writes them in the order given, stopping at the first that
    // fails. True when every file was written and its download mode closed.
    bool Run(const std::vector<FlashFile>& files);

    static QString OpenFailureText(const QString& path);
    // Told after every file was written, and asked then.
    static QString SuccessText();
    static QString ResetQuestion();
    // Asked when a CC0209 card would get its PLD code without its matrix code, or the
    // other way round.
    static QString PairingQuestion();

private:
    struct Image {
        FlashFile file;
        std::vector<std::string> lines;
    };

    bool LoadImages(const std::vector<FlashFile>& files, std::vector<Image>& images);
    bool LoadImage(const FlashFile& file, Image& image);
    bool Download(const Image& image);
    bool EnterWriteMode(const Image& image);
    bool WriteFirstRecords(const Image& image);
    bool WriteRemainingRecords(const Image& image);
    bool ExitDownloadMode(const Image& image);
    bool SendRecord(const Image& image, const std::string& line, uint32_t timeoutMs, int retries,
                    uint32_t retryPauseMs);

    void ShowStatus(const QString& text);
    void ShowStep(const QString& text, int position);
    QString Named(const QString& text) const;
    void Warn(const QString& text);

    RouterDiagnosticCommPort& port_;
    UiServices& ui_;
    ProgressObserver observer_;
    FlashProgress progress_;
    QString componentName_;
};

}  // namespace zerandi
