#include "scramble/EditScrambleMapDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <limits>

#include "scramble/ScrambleMapFile.h"
#include "shell/AccessibleName.h"

namespace zerandi {

namespace {

constexpr int kMaxAddressDigits = 10;

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
    // A double quote would end the description early when a ".scr" file is read back.
    const QString noQuote = QStringLiteral("[^%1]*").arg(QChar(ScrambleMapFile::kDescriptionQuote));
    description_->setValidator(new QRegularExpressionValidator(QRegularExpression(noQuote), this));
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
    field->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(kMaxAddressDigits)), field));
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
