#include "config/RouterConfigFormView.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QVBoxLayout>
#include <algorithm>

#include "config/ConfigChoiceNames.h"
#include "config/ConfigFormValues.h"
#include "config/ConfigReadSequence.h"
#include "config/ConfigWriteSequence.h"
#include "config/ControlCardText.h"
#include "config/LevelGridHeader.h"
#include "config/LevelRow.h"
#include "config/ProtocolCapabilities.h"
#include "config/ProtocolNames.h"
#include "config/RouterConfigDoc.h"
#include "config/RouterModelTables.h"
#include "services/BusyScope.h"
#include "shell/AccessibleName.h"
#include "shell/ChildFrameVisibility.h"
#include "shell/FieldWidth.h"
#include "shell/ViewMenuSet.h"
#include "widgets/IpAddressEdit.h"
#include "widgets/NumberEdit.h"

namespace zerandi {

namespace {

constexpr int kCardAddressDigits = 3;
constexpr int kExpansionIndexDigits = 3;
constexpr int kMaxExpansionIndex = 255;
constexpr int kVersionListLines = 6;

const QString kSerialGroupTitle = QStringLiteral("Serial Port Settings");
const QString kFramelessGroupStyle = QStringLiteral("QGroupBox { border: none; }");

// Room for a few digits: the card address and the expansion index.
int ShortEditWidth(const QWidget& edit) {
    return FieldWidthForDigits(edit, LevelRow::kNumberDigits);
}

// Checks `which` of the group's buttons and no other; nullptr checks none.
void CheckOnly(QButtonGroup& group, QAbstractButton* which) {
    group.setExclusive(false);
    for (QAbstractButton* button : group.buttons()) {
        button->setChecked(button == which);
    }
    group.setExclusive(true);
}

QLabel* NewLabel(const QString& text, const QString& name, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QRadioButton* NewRadio(const QString& text, const QString& name, QButtonGroup& group,
                       QWidget* parent) {
    auto* button = new QRadioButton(text, parent);
    button->setObjectName(name);
    group.addButton(button);
    return button;
}

void ShowPair(QWidget* label, QWidget* field, bool shown) {
    label->setVisible(shown);
    field->setVisible(shown);
}

}  // namespace

// What the controls' rules are decided from.
struct RouterConfigFormView::Terms {
    bool known;
    bool extended;
    bool utah;
    bool qrs;
    int32_t productId;
    const ProtocolCapabilities& caps;
};

RouterConfigFormView::RouterConfigFormView(RouterConfigDoc& doc, QWidget* parent)
    : QWidget(parent), doc_(doc) {
    auto* form = new QVBoxLayout(this);
    // Controls that appear after a read must not squeeze the form: it never shrinks below
    // what its controls need.
    form->setSizeConstraint(QLayout::SetMinimumSize);
    form->addWidget(BuildLevelGrid());
    auto* middle = new QHBoxLayout;
    middle->addWidget(BuildIdentityColumn(), 1);
    middle->addWidget(BuildSettingsColumn());
    form->addLayout(middle);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(BuildEthernetGroup());
    bottom->addWidget(BuildExpansionGroup());
    bottom->addStretch();
    form->addLayout(bottom);
    form->addWidget(BuildButtons());
    form->addStretch();
    connect(&doc_, &RouterConfigDoc::ViewsRefresh, this, &RouterConfigFormView::OnDocumentUpdate);
    connect(&doc_, &RouterConfigDoc::ConfigurationRead, this,
            &RouterConfigFormView::OnConfigurationRead);
    RefreshControls();
}

QWidget* RouterConfigFormView::BuildLevelGrid() {
    levelGrid_ = new QWidget(this);
    auto* layout = new QVBoxLayout(levelGrid_);
    layout->setContentsMargins(0, 0, 0, 0);
    for (size_t i = 0; i < levelRows_.size(); ++i) {
        levelRows_[i] = new LevelRow(doc_, doc_.levels[i], levelGrid_);
        levelRows_[i]->setObjectName(QStringLiteral("levelRow%1").arg(i));
        levelRows_[i]->NameFields(static_cast<int>(i) + 1);
    }
    const LevelRow& first = *levelRows_.front();
    layout->addWidget(new LevelGridHeader(first.Widths(), first.Spacing(), levelGrid_));
    for (LevelRow* row : levelRows_) {
        layout->addWidget(row);
    }
    return levelGrid_;
}

QWidget* RouterConfigFormView::BuildIdentityColumn() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* versionsLabel = new QLabel(QStringLiteral("Software Versions:"), column);
    layout->addWidget(versionsLabel);
    versions_ = new QListWidget(column);
    LabelControl(versionsLabel, versions_);
    versions_->setObjectName(QStringLiteral("softwareVersions"));
    versions_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    versions_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    versions_->setMinimumHeight(versions_->fontMetrics().lineSpacing() * kVersionListLines);
    layout->addWidget(versions_, 1);
    protocolText_ = NewLabel({}, QStringLiteral("protocolText"), column);
    cardText_ = NewLabel({}, QStringLiteral("controlCardText"), column);
    layout->addWidget(protocolText_);
    layout->addWidget(cardText_);
    return column;
}

QComboBox* RouterConfigFormView::NewList(const QStringList& items, const QString& name) {
    auto* list = new QComboBox(this);
    list->setObjectName(name);
    list->addItems(items);
    return list;
}

QWidget* RouterConfigFormView::BuildSettingsColumn() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* grid = new QGridLayout;
    startup_ = NewList(ConfigChoiceNames::StartupModes(), QStringLiteral("startupMode"));
    rearDiag_ = NewList(ConfigChoiceNames::RearDiagPorts(), QStringLiteral("rearDiag"));
    scramble_ = NewList(ConfigChoiceNames::ScrambleMap(), QStringLiteral("scrambleMap"));
    cardAddress_ = new NumberEdit(kCardAddressDigits, std::nullopt, column);
    cardAddress_->setObjectName(QStringLiteral("cardAddress"));
    cardAddress_->setMaximumWidth(ShortEditWidth(*cardAddress_));
    connect(cardAddress_, &QLineEdit::textEdited, this, &RouterConfigFormView::OnCardAddressEdited);
    const std::array<std::pair<QString, QWidget*>, 4> rows{{
        {QStringLiteral("Matrix Startup Mode:"), startup_},
        {QStringLiteral("Rear Diag:"), rearDiag_},
        {QStringLiteral("Scramble Map:"), scramble_},
        {QStringLiteral("Card Address:"), cardAddress_},
    }};
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        auto* label = new QLabel(rows[i].first, column);
        LabelControl(label, rows[i].second);
        grid->addWidget(label, i, 0);
        grid->addWidget(rows[i].second, i, 1);
    }
    layout->addLayout(grid);
    layout->addWidget(BuildSerialGroup());
    layout->addStretch();
    return column;
}

QGroupBox* RouterConfigFormView::BuildSerialGroup() {
    serialGroup_ = new QGroupBox(kSerialGroupTitle, this);
    serialGroup_->setObjectName(QStringLiteral("serialGroup"));
    auto* grid = new QGridLayout(serialGroup_);
    const QStringList offOn{QStringLiteral("disabled"), QStringLiteral("enabled")};
    baud_ = NewList(ConfigChoiceNames::BaudRates(), QStringLiteral("baudRate"));
    replyWhen_ = NewList(ConfigChoiceNames::ReplyWhen(), QStringLiteral("replyWhen"));
    mainPort_ = NewList(offOn, QStringLiteral("mainPort"));
    auxPort_ = NewList(offOn, QStringLiteral("auxPort"));
    baudLabel_ = NewLabel(QStringLiteral("Baud rate:"), QStringLiteral("baudRateLabel"), this);
    replyWhenLabel_ =
        NewLabel(QStringLiteral("Reply when:"), QStringLiteral("replyWhenLabel"), this);
    mainPortLabel_ =
        NewLabel(QStringLiteral("Control 1 (Main) Port: "), QStringLiteral("mainPortLabel"), this);
    auxPortLabel_ =
        NewLabel(QStringLiteral("Control 2 (Aux) Port: "), QStringLiteral("auxPortLabel"), this);
    const std::array<std::pair<QLabel*, QComboBox*>, 4> rows{{
        {baudLabel_, baud_},
        {replyWhenLabel_, replyWhen_},
        {mainPortLabel_, mainPort_},
        {auxPortLabel_, auxPort_},
    }};
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        LabelControl(rows[i].first, rows[i].second);
        grid->addWidget(rows[i].first, i, 0);
        grid->addWidget(rows[i].second, i, 1);
    }
    return serialGroup_;
}

QGroupBox* RouterConfigFormView::BuildEthernetGroup() {
    ethernetGroup_ = new QGroupBox(QStringLiteral("Ethernet Settings"), this);
    ethernetGroup_->setObjectName(QStringLiteral("ethernetGroup"));
    auto* grid = new QGridLayout(ethernetGroup_);
    ethernetButtons_ = new QButtonGroup(this);
    ethernetControlLabel_ = NewLabel(QStringLiteral("Ethernet Control:"),
                                     QStringLiteral("ethernetControlLabel"), ethernetGroup_);
    ethernetEnabled_ = NewRadio(QStringLiteral("Enabled"), QStringLiteral("ethernetEnabled"),
                                *ethernetButtons_, ethernetGroup_);
    ethernetDisabled_ = NewRadio(QStringLiteral("Disabled"), QStringLiteral("ethernetDisabled"),
                                 *ethernetButtons_, ethernetGroup_);
    ipLabel_ = NewLabel(QStringLiteral("IP Address:"), QStringLiteral("ipLabel"), ethernetGroup_);
    ipAddress_ = new IpAddressEdit(ethernetGroup_);
    ipAddress_->setObjectName(QStringLiteral("ipAddress"));
    maskLabel_ =
        NewLabel(QStringLiteral("Subnet Mask:"), QStringLiteral("maskLabel"), ethernetGroup_);
    subnetMask_ = new IpAddressEdit(ethernetGroup_);
    subnetMask_->setObjectName(QStringLiteral("subnetMask"));
    auto* radios = new QHBoxLayout;
    radios->addWidget(ethernetEnabled_);
    radios->addWidget(ethernetDisabled_);
    radios->addStretch();
    ipAddress_->LabelWith(ipLabel_);
    subnetMask_->LabelWith(maskLabel_);
    grid->addWidget(ethernetControlLabel_, 0, 0);
    grid->addLayout(radios, 0, 1);
    grid->addWidget(ipLabel_, 1, 0);
    grid->addWidget(ipAddress_, 1, 1);
    grid->addWidget(maskLabel_, 2, 0);
    grid->addWidget(subnetMask_, 2, 1);
    return ethernetGroup_;
}

QGroupBox* RouterConfigFormView::BuildExpansionGroup() {
    expansionGroup_ = new QGroupBox(QStringLiteral("Expansion"), this);
    expansionGroup_->setObjectName(QStringLiteral("expansionGroup"));
    auto* grid = new QGridLayout(expansionGroup_);
    expansionButtons_ = new QButtonGroup(this);
    master_ = NewRadio(QStringLiteral("Master"), QStringLiteral("master"), *expansionButtons_,
                       expansionGroup_);
    slave_ = NewRadio(QStringLiteral("Slave"), QStringLiteral("slave"), *expansionButtons_,
                      expansionGroup_);
    expansionIndex_ = new NumberEdit(kExpansionIndexDigits, kMaxExpansionIndex, expansionGroup_);
    expansionIndex_->setObjectName(QStringLiteral("expansionIndex"));
    expansionIndex_->setMaximumWidth(ShortEditWidth(*expansionIndex_));
    grid->addWidget(master_, 0, 0);
    grid->addWidget(slave_, 1, 0);
    auto* indexLabel = new QLabel(QStringLiteral("Index:"), expansionGroup_);
    LabelControl(indexLabel, expansionIndex_);
    grid->addWidget(indexLabel, 2, 0);
    grid->addWidget(expansionIndex_, 2, 1);
    return expansionGroup_;
}

QWidget* RouterConfigFormView::BuildButtons() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    readAll_ = new QPushButton(QStringLiteral("Read All"), row);
    readAll_->setObjectName(QStringLiteral("readAll"));
    writeAll_ = new QPushButton(QStringLiteral("Write All"), row);
    writeAll_->setObjectName(QStringLiteral("writeAll"));
    // A focused button takes Enter; otherwise "Read All" does (see keyPressEvent).
    readAll_->setAutoDefault(true);
    readAll_->setDefault(true);
    writeAll_->setAutoDefault(true);
    connect(readAll_, &QPushButton::clicked, this, &RouterConfigFormView::ReadAll);
    connect(writeAll_, &QPushButton::clicked, this, &RouterConfigFormView::WriteAll);
    layout->addStretch();
    layout->addWidget(readAll_);
    layout->addWidget(writeAll_);
    return row;
}

void RouterConfigFormView::AddMenuItems(ViewMenuSet& menus) {
    QMenu* routerType = menus.Communications().addMenu(QStringLiteral("Set Router Type"));
    for (const uint8_t productId : SettableRouterTypes()) {
        QAction* action = routerType->addAction(ModelName(productId));
        connect(action, &QAction::triggered, this, [this, productId] { SetRouterType(productId); });
    }
}

void RouterConfigFormView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The first update: the view now sits in its child window, whose caption it extends.
    if (!firstShown_) {
        firstShown_ = true;
        RefreshControls();
    }
}

void RouterConfigFormView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        readAll_->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void RouterConfigFormView::ReadAll() {
    BusyScope busy(doc_.Ui());
    ConfigReadSequence(doc_, settings_).Run();
    RefreshControls();
    ReactivateChildWindow();
}

void RouterConfigFormView::WriteAll() {
    const ConfigFormValues form = FormValues();
    bool written = false;
    {
        BusyScope busy(doc_.Ui());
        written = ConfigWriteSequence(doc_, settings_, form).Run();
        if (written) {
            doc_.Ui().sleep(RouterConfigDoc::kWriteSettleMs);
        }
    }
    // The write may have changed the levels (data routers, single-level protocols) and
    // found that the router has no Ethernet or expansion.
    const Terms terms = CurrentTerms();
    RefreshLevelRows(terms.caps);
    EnableOptionalSettings(terms);
    ShowWriteOutcome(written);
    if (written) {
        doc_.AskAndResetController(RouterConfigDoc::ConfigurationResetQuestion());
    }
}

void RouterConfigFormView::SetRouterType(uint8_t productId) {
    BusyScope busy(doc_.Ui());
    ShowWriteOutcome(doc_.CommPort().SetRouterType(productId));
}

void RouterConfigFormView::ShowWriteOutcome(bool written) {
    if (written) {
        doc_.Ui().showMessage(QStringLiteral("Write successful."), MessageIcon::Information);
    } else {
        doc_.Ui().showMessage(QStringLiteral("Problem occured while writing."),
                              MessageIcon::Warning);
    }
}

ConfigFormValues RouterConfigFormView::FormValues() const {
    ConfigFormValues form;
    form.startupSelection = startup_->currentIndex();
    form.scrambleSelection = scramble_->currentIndex();
    form.cardAddress = cardAddress_->Number();
    form.baudSelection = baud_->currentIndex();
    form.replyWhenSelection = replyWhen_->currentIndex();
    form.mainPortSelection = mainPort_->currentIndex();
    form.auxPortSelection = auxPort_->currentIndex();
    form.rearDiagSelection = rearDiag_->currentIndex();
    form.ethernetEnabledChecked = ethernetEnabled_->isChecked();
    form.ipAddress = ipAddress_->Value();
    form.subnetMask = subnetMask_->Value();
    form.masterChecked = master_->isChecked();
    form.slaveChecked = slave_->isChecked();
    form.expansionIndex = expansionIndex_->Number();
    return form;
}

void RouterConfigFormView::OnCardAddressEdited() {
    const std::optional<int> number = cardAddress_->Number();
    if (!number) {
        return;
    }
    if (*number > kMaxCardAddress) {
        doc_.Ui().showMessage(
            QStringLiteral("Error: card address must be less than or equal to 255"),
            MessageIcon::Warning);
        cardAddress_->SetNumber(settings_.cardAddress);
        return;
    }
    settings_.cardAddress = *number;
}

void RouterConfigFormView::OnDocumentUpdate() {
    update();
}

// The whole configuration was read elsewhere: the controls show it as after "Read All".
void RouterConfigFormView::OnConfigurationRead(const ConfigViewSettings& settings) {
    settings_ = settings;
    RefreshControls();
}

RouterConfigFormView::Terms RouterConfigFormView::CurrentTerms() const {
    return Terms{doc_.ProductKnown(),
                 doc_.IsExtendedControlCard(),
                 IsUtahProtocol(doc_.protocol),
                 IsQrSerialProtocol(doc_.protocol),
                 doc_.ProductId(),
                 LookupProtocolCapabilities(doc_.protocol)};
}

void RouterConfigFormView::RefreshControls() {
    const Terms terms = CurrentTerms();
    writeAll_->setEnabled(terms.known);
    RefreshSettings(terms);
    RefreshSerialGroup(terms);
    RefreshEthernet(terms);
    RefreshExpansion(terms);
    RefreshIdentity();
    // Nothing but "Read All" is usable until the router is known.
    levelGrid_->setEnabled(terms.known);
    RefreshLevelRows(terms.caps);
    GrowChildWindowToFit();
    UpdateCaptions();
    readAll_->setFocus();
}

void RouterConfigFormView::RefreshSettings(const Terms& terms) {
    startup_->setEnabled(terms.known && terms.caps.startupMode);
    startup_->setCurrentIndex(settings_.startupMode);
    scramble_->setEnabled(terms.known && terms.caps.scrambleMap && (!terms.extended || terms.utah));
    scramble_->setCurrentIndex(doc_.ScrambleMapEnabled());
    rearDiag_->setEnabled(terms.known && terms.caps.rearDiag &&
                          HasSelectableRearDiag(terms.productId));
    rearDiag_->setCurrentIndex(settings_.rearDiagIndex);
    cardAddress_->setEnabled(terms.known);
    if (terms.known) {
        cardAddress_->SetNumber(settings_.cardAddress);
    } else {
        cardAddress_->clear();
    }
}

// The group's frame shows only when all its settings apply; the lists that apply show
// without it otherwise.
void RouterConfigFormView::RefreshSerialGroup(const Terms& terms) {
    const ProtocolCapabilities& caps = terms.caps;
    ShowPair(baudLabel_, baud_, terms.known && caps.baudRate);
    ShowPair(replyWhenLabel_, replyWhen_, terms.known && caps.replyWhen);
    ShowPair(mainPortLabel_, mainPort_, terms.known && caps.mainPort);
    ShowPair(auxPortLabel_, auxPort_, terms.known && caps.auxPort);
    baud_->setCurrentIndex(settings_.baudIndex);
    replyWhen_->setCurrentIndex(settings_.replyWhenIndex);
    mainPort_->setCurrentIndex(settings_.mainPortEnabled ? 1 : 0);
    auxPort_->setCurrentIndex(settings_.auxPortEnabled ? 1 : 0);
    const bool frameShown = terms.known && caps.baudRate && caps.replyWhen;
    serialGroup_->setTitle(frameShown ? kSerialGroupTitle : QString());
    serialGroup_->setStyleSheet(frameShown ? QString() : kFramelessGroupStyle);
    serialGroup_->setVisible(terms.known &&
                             (caps.baudRate || caps.replyWhen || caps.mainPort || caps.auxPort));
}

void RouterConfigFormView::RefreshEthernet(const Terms& terms) {
    ethernetGroup_->setVisible(terms.known && terms.extended);
    EnableOptionalSettings(terms);
    if (!terms.extended || terms.utah || settings_.ethernetEntries.empty()) {
        return;
    }
    const EthernetEntry& entry = settings_.ethernetEntries.front();
    // Only the QR serial protocol lets the user switch Ethernet control on.
    const bool enabled = entry.enabled == 1 && terms.qrs;
    CheckOnly(*ethernetButtons_, enabled ? ethernetEnabled_ : ethernetDisabled_);
    ipAddress_->SetValue(entry.ipAddress);
    subnetMask_->SetValue(entry.subnetMask);
}

// A router that refused the Ethernet or expansion commands offers no field for them: an
// edit there would never be sent.
void RouterConfigFormView::EnableOptionalSettings(const Terms& terms) {
    const bool usable = settings_.ethernetSupported && terms.known && terms.extended;
    for (QWidget* control :
         {static_cast<QWidget*>(ethernetControlLabel_), static_cast<QWidget*>(ethernetEnabled_),
          static_cast<QWidget*>(ethernetDisabled_)}) {
        control->setEnabled(usable && terms.qrs);
    }
    for (QWidget* control :
         {static_cast<QWidget*>(ipLabel_), static_cast<QWidget*>(ipAddress_),
          static_cast<QWidget*>(maskLabel_), static_cast<QWidget*>(subnetMask_)}) {
        control->setEnabled(usable);
    }
    expansionGroup_->setEnabled(settings_.expansionSupported);
}

void RouterConfigFormView::RefreshExpansion(const Terms& terms) {
    expansionGroup_->setVisible(terms.known && terms.extended);
    slave_->setEnabled(terms.qrs);
    const uint8_t mode = settings_.expansion.mode;
    CheckOnly(*expansionButtons_, mode == ExpansionSettings::kMaster  ? master_
                                  : mode == ExpansionSettings::kSlave ? slave_
                                                                      : nullptr);
    if (terms.known && terms.extended) {
        expansionIndex_->SetNumber(settings_.expansion.index);
    }
}

void RouterConfigFormView::RefreshIdentity() {
    versions_->clear();
    versions_->addItems(settings_.softwareVersions);
    protocolText_->setText(QStringLiteral("Protocol: ") + ProtocolName(doc_.protocol));
    cardText_->setText(QStringLiteral("Control Card: ") + FormatCardNumber(doc_.controlCard));
}

void RouterConfigFormView::RefreshLevelRows(const ProtocolCapabilities& caps) {
    for (size_t i = 0; i < levelRows_.size(); ++i) {
        levelRows_[i]->setVisible(static_cast<int32_t>(i) < caps.levelRowCount);
        levelRows_[i]->SetColumnFlags(caps.levelColumns);
        levelRows_[i]->Refresh();
    }
}

QString RouterConfigFormView::CaptionWithModel(const QString& caption, int32_t productId) {
    static const QRegularExpression kSeparators(QStringLiteral("[ -]"));
    const QString leading = caption.split(kSeparators, Qt::SkipEmptyParts).value(0);
    return leading + QStringLiteral(" - ") + ModelName(productId) + QStringLiteral(" router");
}

void RouterConfigFormView::GrowChildWindowToFit() {
    QMdiSubWindow* child = ChildFrameOf(*this);
    if (child == nullptr || child->isMinimized() || child->isMaximized()) {
        return;
    }
    layout()->activate();
    child->resize(child->size().expandedTo(child->sizeHint()));
}

void RouterConfigFormView::UpdateCaptions() {
    QMdiSubWindow* child = ChildFrameOf(*this);
    if (child == nullptr) {
        return;
    }
    child->setWindowTitle(CaptionWithModel(child->windowTitle(), doc_.ProductId()));
    QWidget* mainWindow = child->window();
    if (mainWindow != child) {
        mainWindow->setWindowTitle(CaptionWithModel(mainWindow->windowTitle(), doc_.ProductId()));
    }
}

// Switching away and back lets the main window take this window's menus afresh.
void RouterConfigFormView::ReactivateChildWindow() {
    QMdiSubWindow* child = ChildFrameOf(*this);
    QMdiArea* area = child != nullptr ? child->mdiArea() : nullptr;
    if (area == nullptr) {
        return;
    }
    area->activateNextSubWindow();
    area->setActiveSubWindow(child);
}

}  // namespace zerandi
