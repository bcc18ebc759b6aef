#include "support/RouterViewFixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "shell/CustomMdiChildWnd.h"
#include "support/WidgetActions.h"

namespace zerandi::test {

void RouterViewFixture::StartRouter(const std::string& model, const RouterChange& change) {
    StartDocument(model, change, kBaud);
    if (HasFatalFailure()) {
        return;
    }
    area = new QMdiArea(mainWindow.get());
    mainWindow->setCentralWidget(area);
    configuration = area->addSubWindow(new QLabel(QStringLiteral("Configuration")));
    configuration->setWindowTitle(QStringLiteral("Configuration"));
    child = new CustomMdiChildWnd(QStringLiteral("View"));
    view = MakeView(*doc).release();
    child->SetView(view);
    area->addSubWindow(child);
    mainWindow->resize(1300, 900);
    mainWindow->show();
    configuration->show();
    child->show();
    child->FitToView();
    area->setActiveSubWindow(configuration);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(mainWindow.get()));
}

void RouterViewFixture::KnowRouter() {
    TellWhatReadAllWould(*doc, simulator);
}

void RouterViewFixture::Click(const QString& buttonName) {
    QTest::mouseClick(&Find<QPushButton>(buttonName), Qt::LeftButton);
}

void RouterViewFixture::ClickRadio(const QString& name) {
    ClickRadioIndicator(Find<QRadioButton>(name));
}

void RouterViewFixture::Retype(QLineEdit& edit, const QString& text) {
    RetypeText(edit, text);
}

bool RouterViewFixture::FrameShown() const {
    return child->isVisible();
}

bool RouterViewFixture::Shown(const QString& name) const {
    return Find<QWidget>(name).isVisibleTo(view);
}

void RouterViewFixture::ClearRecords() {
    simulator.Router().ClearReceivedFrames();
    ui.ClearMessages();
}

}  // namespace zerandi::test
