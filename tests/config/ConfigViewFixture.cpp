#include "config/ConfigViewFixture.h"

#include <QComboBox>
#include <QMdiArea>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "support/FrameFields.h"
#include "support/WidgetActions.h"
#include "widgets/IpAddressEdit.h"
#include "widgets/NumberEdit.h"

namespace zerandi::test {

void ConfigViewFixture::StartRouter(const std::string& model, const RouterChange& change) {
    StartDocument(model, change, kBaud);
    if (HasFatalFailure()) {
        return;
    }
    auto* area = new QMdiArea(mainWindow.get());
    mainWindow->setCentralWidget(area);
    view = new RouterConfigFormView(*doc);
    child = area->addSubWindow(view);
    child->setWindowTitle(QStringLiteral("Configuration"));
    mainWindow->resize(1200, 800);
    mainWindow->show();
    child->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(mainWindow.get()));
}

void ConfigViewFixture::Click(const QString& buttonName) {
    QTest::mouseClick(&Find<QPushButton>(buttonName), Qt::LeftButton);
}

void ConfigViewFixture::WriteAll(MessageAnswer resetAnswer) {
    ui.AnswerNextMessage(MessageAnswer::Ok);
    ui.AnswerNextMessage(resetAnswer);
    Click(QStringLiteral("writeAll"));
}

void ConfigViewFixture::Choose(QComboBox& list, const QString& item) {
    const int index = list.findText(item);
    ASSERT_GE(index, 0) << item.toStdString();
    QTest::keyClick(&list, Qt::Key_Home);
    for (int i = 0; i < index; ++i) {
        QTest::keyClick(&list, Qt::Key_Down);
    }
}

void ConfigViewFixture::Retype(QLineEdit& edit, const QString& text) {
    RetypeText(edit, text);
}

void ConfigViewFixture::TypeAddress(const QString& fieldName, const QString& dotted) {
    const QStringList parts = dotted.split(u'.');
    auto& field = Find<IpAddressEdit>(fieldName);
    for (int i = 0; i < IpAddressEdit::kPartCount; ++i) {
        Retype(field.Part(i), parts.value(i));
    }
}

void ConfigViewFixture::ClickRadio(const QString& name) {
    ClickRadioIndicator(Find<QRadioButton>(name));
}

bool ConfigViewFixture::Shown(const QString& name) const {
    return Find<QWidget>(name).isVisibleTo(view);
}

QStringList ConfigViewFixture::Items(const QComboBox& list) {
    QStringList items;
    for (int i = 0; i < list.count(); ++i) {
        items << list.itemText(i);
    }
    return items;
}

QString ConfigViewFixture::AddressText(const QString& fieldName) const {
    auto& field = Find<IpAddressEdit>(fieldName);
    QStringList parts;
    for (int i = 0; i < IpAddressEdit::kPartCount; ++i) {
        parts << field.Part(i).text();
    }
    return parts.join(u'.');
}

std::vector<ConfigViewFixture::Request> ConfigViewFixture::Requests() const {
    std::vector<Request> requests;
    for (const auto& frame : simulator.Requests()) {
        const std::vector<uint8_t> data = DataOf(frame);
        requests.emplace_back(CommandOf(frame), data.empty() ? -1 : data.front());
    }
    return requests;
}

void ConfigViewFixture::ClearRecords() {
    simulator.Router().ClearReceivedFrames();
    ui.ClearMessages();
}

}  // namespace zerandi::test
