#include "shell/LockKeyIndicators.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>

namespace zerandi {

namespace {

bool IsLockKey(int key) {
    return key == Qt::Key_CapsLock || key == Qt::Key_NumLock || key == Qt::Key_ScrollLock;
}

bool ChangesLockState(const QEvent* event) {
    if (event->type() == QEvent::ApplicationActivate) {
        return true;
    }
    return event->type() == QEvent::KeyRelease &&
           IsLockKey(static_cast<const QKeyEvent*>(event)->key());
}

}  // namespace

LockKeyIndicators::LockKeyIndicators(QWidget* parent, const QString& ledRoot)
    : QWidget(parent), ledRoot_(ledRoot) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    caps_ = AddPane(QStringLiteral("CAP"));
    num_ = AddPane(QStringLiteral("NUM"));
    scroll_ = AddPane(QStringLiteral("SCRL"));
    Refresh();
    qApp->installEventFilter(this);
}

QLabel* LockKeyIndicators::AddPane(const QString& text) {
    auto* pane = new QLabel(text, this);
    pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pane->setAlignment(Qt::AlignCenter);
    // Wide enough for the text in any state, so the bar does not jump.
    pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) +
                          pane->fontMetrics().averageCharWidth() * 2);
    layout()->addWidget(pane);
    return pane;
}

void LockKeyIndicators::Refresh() {
    caps_->setEnabled(LedIsOn(ledRoot_, QStringLiteral("capslock")));
    num_->setEnabled(LedIsOn(ledRoot_, QStringLiteral("numlock")));
    scroll_->setEnabled(LedIsOn(ledRoot_, QStringLiteral("scrolllock")));
}

bool LockKeyIndicators::LedIsOn(const QString& ledRoot, const QString& ledName) {
    const QDir root(ledRoot);
    const QStringList leds =
        root.entryList({QStringLiteral("*::") + ledName}, QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& led : leds) {
        QFile brightness(root.filePath(led + QStringLiteral("/brightness")));
        if (brightness.open(QIODevice::ReadOnly) && brightness.readAll().trimmed().toInt() > 0) {
            return true;
        }
    }
    return false;
}

bool LockKeyIndicators::eventFilter(QObject* watched, QEvent* event) {
    if (ChangesLockState(event)) {
        Refresh();
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace zerandi
