#pragma once

#include <QLineEdit>
#include <optional>

namespace zerandi {

// An edit box that accepts digits only, at most `maxDigits` of them and, when
// `maxValue` is given, no number above it: what it holds is always empty or a number
// that fits the field it feeds, never text that would reach the router as garbage.
class NumberEdit : public QLineEdit {
    Q_OBJECT

public:
    NumberEdit(int maxDigits, std::optional<int> maxValue, QWidget* parent = nullptr);

    // The number typed; nothing when the edit is empty (or shows a word such as "TRI").
    std::optional<int> Number() const;
    void SetNumber(int value);

protected:
    // A word shown in the field ("TRI", "error") is never edited into another word: the
    // first character typed replaces it, and deleting from it is ignored.
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool ShowsWord() const { return !text().isEmpty() && !Number(); }
};

}  // namespace zerandi
