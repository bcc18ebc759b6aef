#include "scramble/EditScrambleMapDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QValidator>
#include <algorithm>
#include <functional>
#include <limits>
#include <utility>

#include "shell/AccessibleName.h"

namespace zerandi {

namespace {

// Refuses every edit after which the field's text would break its rule, so that the field
// only ever holds what the entry can keep.
class TextRuleValidator : public QValidator {
public:
    TextRuleValidator(std::function<bool(const QString&)> rule, QObject* parent)
        : QValidator(parent), rule_(std::move(rule)) {}

    State validate(QString& input, int& /*pos*/) const override {
        return rule_(input) ? Acceptable : Invalid;
    }

private:
    std::function<bool(const QString&)> rule_;
};

// Empty (no address) or a number that the router's table word holds.
bool AddressTextFits(const QString& text) {
    if (text.isEmpty()) {
        return true;
    }
    const bool digitsOnly =
        std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    bool ok = false;
    const qulonglong value = text.toULongLong(&ok);
    return digitsOnly && ok && value <= ScrambleEntry::kMaxAddress;
}

bool DescriptionTextFits(const QString& text) {
    return std::all_of(text.begin(), text.end(), ScrambleDescriptionHolds);
}

}  // namespace

EditScrambleMapDialog::EditScrambleMapDialog(Table table, uint32_t entryNumber,
                                             const ScrambleEntry& entry, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Edit Scramble Map"));
    auto* layout = new QVBoxLayout(this);
    const QString which = table == Table::Input ? QStringLiteral("Input Address: %1")
                                                : QStringLiteral("Output Address: %1");
    auto* address = new QLabel(which.arg(entryNumber), this);
    address->setObjectName(QStringLiteral("entryAddress"));
    layout->addWidget(address);

    auto* form = new QFormLayout;
    a1a2_ = NewAddressField(QStringLiteral("a1a2"), entry.a1a2);
    a3a4_ = NewAddressField(QStringLiteral("a3a4"), entry.a3a4);
    description_ = new QLineEdit(entry.description.left(kMaxDescriptionChars), this);
    description_->setObjectName(QStringLiteral("description"));
    description_->setMaxLength(kMaxDescriptionChars);
    description_->setMinimumWidth(
        description_->fontMetrics().horizontalAdvance(QString(kMaxDescriptionChars + 1, u'n')));
    description_->setValidator(new TextRuleValidator(DescriptionTextFits, description_));
    const std::array<std::pair<QString, QLineEdit*>, 3> rows{{
        {QStringLiteral("A1A&2:"), a1a2_},
        {QStringLiteral("A3A&4:"), a3a4_},
        {QStringLiteral("&Description:"), description_},
    }};
    for (const auto& [text, field] : rows) {
        auto* label = new QLabel(text, this);
        LabelControl(label, field);
        form->addRow(label, field);
    }
    layout->addLayout(form);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    a1a2_->setFocus();
}

QLineEdit* EditScrambleMapDialog::NewAddressField(const QString& name, uint32_t address) {
    auto* field = new QLineEdit(AddressText(address), this);
    field->setObjectName(name);
    field->setValidator(new TextRuleValidator(AddressTextFits, field));
    return field;
}

ScrambleEntry EditScrambleMapDialog::Result() const {
    return ScrambleEntry{AddressFromText(a1a2_->text()), AddressFromText(a3a4_->text()),
                         description_->text()};
}

uint32_t EditScrambleMapDialog::AddressFromText(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        return ScrambleEntry::kNoAddress;
    }
    qsizetype digits = 0;
    while (digits < trimmed.size() && trimmed.at(digits).isDigit()) {
        ++digits;
    }
    bool ok = false;
    const qulonglong value = trimmed.left(digits).toULongLong(&ok);
    if (!ok) {
        return 0;
    }
    return static_cast<uint32_t>(std::min<qulonglong>(value, std::numeric_limits<uint32_t>::max()));
}

QString EditScrambleMapDialog::AddressText(uint32_t address) {
    return address == ScrambleEntry::kNoAddress ? QString() : QString::number(address);
}

}  // namespace zerandi
