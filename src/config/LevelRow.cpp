#include "config/LevelRow.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>

#include "config/RouterConfigDoc.h"
#include "config/RouterModelTables.h"
#include "config/SignalTypes.h"
#include "protocol/RouterLevel.h"
#include "services/UiServices.h"
#include "shell/AccessibleName.h"
#include "shell/FieldWidth.h"
#include "widgets/NumberEdit.h"

namespace zerandi {

namespace {

// The level field behind each edit, in column order (the signal type has a list).
constexpr std::array<int32_t RouterLevel::*, kLevelColumnCount - 1> kEditFields{
    &RouterLevel::level,
    &RouterLevel::physicalInputStart,
    &RouterLevel::physicalInputEnd,
    &RouterLevel::controllerInputStart,
    &RouterLevel::physicalOutputStart,
    &RouterLevel::physicalOutputEnd,
    &RouterLevel::controllerOutputStart,
    &RouterLevel::defaultInput,
};

constexpr int kColumnSpacing = 4;
constexpr int kSignalTypeNameLength = 16;  // "RS422/RS232 Data"

const QString kTriStateText = QStringLiteral("TRI");
const QString kBadDefaultText = QStringLiteral("error");
const QString kDataReverseText = QStringLiteral("Data Reverse");

// What a screen reader says for each column, after the row's name.
constexpr std::array<const char*, kLevelColumnCount> kSpokenColumns{
    "Level",
    "Physical Inputs Start",
    "Physical Inputs End",
    "Controller Input Start",
    "Physical Outputs Start",
    "Physical Outputs End",
    "Controller Output Start",
    "Default Input",
    "Signal Type",
};

LevelColumn ColumnAt(size_t index) {
    return static_cast<LevelColumn>(index);
}

// The router's numbers are unsigned.
QString UnsignedText(int32_t value) {
    return QString::number(static_cast<uint32_t>(value));
}

}  // namespace

LevelRow::LevelRow(RouterConfigDoc& doc, RouterLevel& level, QWidget* parent)
    : QWidget(parent), doc_(doc), level_(level), signalTypes_(new QComboBox(this)) {
    flags_.fill(true);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(kColumnSpacing);
    // Wide enough for the headings above the columns.
    const int numberWidth = FieldWidthFor(*this, QStringLiteral("Controller"));
    const int levelWidth = FieldWidthForDigits(*this, kNumberDigits);
    for (size_t i = 0; i < edits_.size(); ++i) {
        const bool isLevel = i == 0;
        edits_[i] = new NumberEdit(isLevel ? kLevelDigits : kNumberDigits,
                                   isLevel ? std::nullopt : std::optional<int>(kMaxNumber), this);
        edits_[i]->setFixedWidth(isLevel ? levelWidth : numberWidth);
        layout->addWidget(edits_[i]);
        const LevelColumn column = ColumnAt(i);
        connect(edits_[i], &QLineEdit::textEdited, this, [this, column](const QString& text) {
            if (column == LevelColumn::Level) {
                OnLevelEdited(text);
            } else {
                OnNumberEdited(column, text);
            }
        });
    }
    signalTypes_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    signalTypes_->setMinimumContentsLength(kSignalTypeNameLength);
    signalTypes_->setFixedWidth(signalTypes_->sizeHint().width());
    layout->addWidget(signalTypes_);
    layout->addStretch();
    connect(signalTypes_, &QComboBox::activated, this, &LevelRow::OnSignalTypeActivated);
}

LevelRow::ColumnWidths LevelRow::Widths() const {
    ColumnWidths widths{};
    for (size_t i = 0; i < edits_.size(); ++i) {
        widths[i] = edits_[i]->minimumWidth();
    }
    widths.back() = signalTypes_->minimumWidth();
    return widths;
}

void LevelRow::NameFields(int rowNumber) {
    const QString row = QStringLiteral("Level %1 ").arg(rowNumber);
    for (size_t i = 0; i < edits_.size(); ++i) {
        NameControl(edits_[i], row + QLatin1String(kSpokenColumns[i]));
    }
    NameControl(signalTypes_, row + QLatin1String(kSpokenColumns.back()));
}

int LevelRow::Spacing() const {
    return kColumnSpacing;
}

NumberEdit& LevelRow::Edit(LevelColumn column) const {
    return *edits_.at(static_cast<size_t>(column));
}

void LevelRow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool LevelRow::HasLevel() const {
    return level_.level != RouterLevel::kNoLevel;
}

void LevelRow::Refresh() {
    EnableColumns();
    signalTypes_->clear();
    offeredCodes_.clear();
    if (!HasLevel()) {
        for (NumberEdit* edit : edits_) {
            edit->clear();
        }
        return;
    }
    ShowNumbers();
    ShowDefaultInput();
    OfferSignalTypes();
}

void LevelRow::EnableColumns() {
    edits_.front()->setEnabled(HasColumn(LevelColumn::Level));
    for (size_t i = 1; i < edits_.size(); ++i) {
        edits_[i]->setEnabled(HasColumn(ColumnAt(i)) && HasLevel());
    }
    signalTypes_->setEnabled(HasColumn(LevelColumn::SignalType) && HasLevel());
}

void LevelRow::ShowNumbers() {
    const QString levelText = UnsignedText(level_.level);
    if (edits_.front()->text() != levelText) {
        edits_.front()->setText(levelText);
    }
    for (size_t i = 1; i < static_cast<size_t>(LevelColumn::DefaultInput); ++i) {
        edits_[i]->setText(UnsignedText(level_.*kEditFields[i]));
    }
}

void LevelRow::ShowDefaultInput() {
    NumberEdit& edit = Edit(LevelColumn::DefaultInput);
    const int32_t product = doc_.ProductId();
    const bool triState = IsTriStateSource(level_.defaultInput, product);
    if (IsDataRouter(product)) {
        edit.setEnabled(false);
        edit.setText(triState ? kTriStateText : kBadDefaultText);
        return;
    }
    edit.setText(triState ? kTriStateText : UnsignedText(level_.defaultInput));
}

void LevelRow::OfferSignalTypes() {
    const int32_t product = doc_.ProductId();
    const bool extendedCard = doc_.IsExtendedControlCard();
    for (const int32_t code : SignalTypeCodes()) {
        if (!SupportsSignalType(product, code)) {
            continue;
        }
        if (code == SignalType::kDataForward && !(extendedCard && IsDataRouter(product))) {
            continue;
        }
        const bool reverse = code == SignalType::kRs422Data && extendedCard;
        signalTypes_->addItem(reverse ? kDataReverseText : SignalTypeName(code));
        offeredCodes_.append(code);
    }
    signalTypes_->setCurrentIndex(static_cast<int>(offeredCodes_.indexOf(level_.signalType)));
}

void LevelRow::OnLevelEdited(const QString& text) {
    if (text.isEmpty()) {
        if (HasLevel()) {
            level_.level = RouterLevel::kNoLevel;
            Refresh();
        }
        return;
    }
    const int32_t number = text.toInt();
    if (number == level_.level) {
        return;
    }
    if (number <= kMaxLevelNumber || number == kReservedLevelNumber) {
        const bool hadLevel = HasLevel();
        level_.level = number;
        if (!hadLevel) {
            Refresh();
        }
        return;
    }
    doc_.Ui().showMessage(QStringLiteral("Error: Max level value is %1").arg(kMaxLevelNumber),
                          MessageIcon::None);
    Refresh();
}

void LevelRow::OnNumberEdited(LevelColumn column, const QString& text) {
    if (text.isEmpty()) {
        return;
    }
    bool isNumber = false;
    const int32_t number = text.toInt(&isNumber);
    if (!isNumber) {
        Refresh();  // what the field shows goes back to what the level holds
        return;
    }
    level_.*kEditFields[static_cast<size_t>(column)] = number;
}

void LevelRow::OnSignalTypeActivated(int index) {
    if (index >= 0 && index < offeredCodes_.size()) {
        level_.signalType = offeredCodes_[index];
    }
}

}  // namespace zerandi
