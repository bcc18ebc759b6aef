#pragma once

#include <QString>
#include <optional>

class QDialog;

namespace zerandi {

enum class MessageIcon { None, Information, Warning, Stop, Question };
enum class MessageButtons { Ok, OkCancel, YesNo };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// What an open or save prompt offers the user.
struct FilePrompt {
    QString title;                 // empty: the platform's own title
    QString initialName;           // file name (or path) offered first
    QString defaultExtension;      // without the dot, added when the user types none
    QString filter;                // e.g. "Salvo Files (*.svo)"; empty: all files
    bool confirmOverwrite = true;  // save prompts: ask before replacing a file
    bool confirmCreate = false;    // open prompts: ask before naming a new file
};

// Every message, question, file prompt, modal dialog, pause, busy bracket and print
// goes through this one interface, so that tests can script and record them.
class UiServices {
public:
    virtual ~UiServices() = default;

    // Shows a modal message box. An empty caption means the product name.
    virtual MessageAnswer showMessage(const QString& text, MessageIcon icon,
                                      MessageButtons buttons = MessageButtons::Ok,
                                      const QString& caption = {}) = 0;

    virtual std::optional<QString> promptOpenFile(const FilePrompt& prompt) = 0;
    virtual std::optional<QString> promptSaveFile(const FilePrompt& prompt) = 0;

    // Runs a dialog modally; true when it was accepted.
    virtual bool runDialog(QDialog& dialog) = 0;

    virtual void sleep(int milliseconds) = 0;

    // Brackets a long operation: wait cursor everywhere, main window disabled.
    virtual void beginBusy() = 0;
    virtual void endBusy() = 0;
    virtual bool isBusy() const = 0;

    // Hands a text file to the printer; false when that could not be started.
    virtual bool printFile(const QString& path) = 0;
};

}  // namespace zerandi
