#include "shell/AboutDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

#include "services/VersionInfo.h"

namespace zerandi {

namespace {

constexpr int kAboutIconSizePx = 48;

}  // namespace

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About ") + VersionInfo::ProductName());

    auto* icon = new QLabel(this);
    icon->setPixmap(
        style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(kAboutIconSizePx));
    icon->setAlignment(Qt::AlignTop);

    auto* text = new QVBoxLayout;
    text->addWidget(
        AddLine(VersionInfo::ProductName() + QStringLiteral(" ") + VersionInfo::FileVersion()));
    text->addWidget(AddLine(VersionInfo::LegalCopyright()));
    text->addWidget(AddLine(VersionInfo::CompanyName()));

    auto* body = new QHBoxLayout;
    body->addWidget(icon);
    body->addSpacing(kAboutIconSizePx / 2);
    body->addLayout(text);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QLabel* AboutDialog::AddLine(const QString& text) {
    auto* label = new QLabel(text, this);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lines_.append(label);
    return label;
}

QStringList AboutDialog::Lines() const {
    QStringList texts;
    for (const QLabel* line : lines_) {
        texts << line->text();
    }
    return texts;
}

}  // namespace zerandi
