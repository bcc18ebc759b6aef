#include "shell/PendingView.h"

#include <QLabel>
#include <QVBoxLayout>

namespace zerandi {

namespace {

constexpr int kMinimumTextWidthPx = 320;

}  // namespace

PendingView::PendingView(const QString& caption, QWidget* parent) : QWidget(parent) {
    auto* title = new QLabel(caption, this);
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
    title->setFont(titleFont);

    auto* notice = new QLabel(NoticeText(caption), this);
    notice->setWordWrap(true);
    notice->setMinimumWidth(kMinimumTextWidthPx);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(notice);
    layout->addStretch();
}

QString PendingView::NoticeText(const QString& caption) {
    return QStringLiteral("The %1 view is not available yet in this version of Zerandi.")
        .arg(caption);
}

}  // namespace zerandi
