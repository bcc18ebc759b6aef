#include "app/ZerandiApplication.h"

#include <QMdiArea>

#include "backupui/BackupActions.h"
#include "serial/DispatchingSerialDevice.h"
#include "serial/SerialSettingsDialog.h"
#include "services/InternalError.h"
#include "services/UiServices.h"
#include "services/VersionInfo.h"
#include "shell/CMainFrame.h"
#include "shell/CustomMdiChildWnd.h"
#include "shell/PendingView.h"

namespace zerandi {

ZerandiApplication::ZerandiApplication(UiServices& ui) : ui_(ui) {}

ZerandiApplication::~ZerandiApplication() = default;

void ZerandiApplication::SetViewFactory(ViewId id, ViewFactory factory) {
    factories_[id] = std::move(factory);
}

bool ZerandiApplication::Start(const PortChoice& port, uint32_t baud) {
    ReadVersionInfo();
    mainFrame_ = std::make_unique<CMainFrame>(ui_);
    mainFrame_->SetSetupHandler([this] { RunSerialSettings(); });
    OpenDocument(port, baud);
    backupActions_ = std::make_unique<BackupActions>(*document_, *mainFrame_);
    mainFrame_->show();

    ViewContext context{ui_, *document_, *mainFrame_};
    CustomMdiChildWnd* shownNormal = nullptr;
    for (const ViewTemplate& viewTemplate : StartupViewTemplates()) {
        CustomMdiChildWnd* frame = CreateFrame(viewTemplate, context);
        if (frame == nullptr) {
            return false;
        }
        ConfigureFrame(frame, viewTemplate.startsMinimized);
        if (!viewTemplate.startsMinimized) {
            shownNormal = frame;
        }
    }
    document_->UpdateAllViews();
    mainFrame_->MdiArea().setActiveSubWindow(shownNormal);
    return true;
}

// A port that does not open leaves the link closed; the program runs on, and the
// settings dialog can open another one.
void ZerandiApplication::OpenDocument(const PortChoice& port, uint32_t baud) {
    document_ = std::make_unique<RouterConfigDoc>(ui_, std::make_unique<DispatchingSerialDevice>(),
                                                  clock_, port, baud);
}

ViewFactory ZerandiApplication::FactoryFor(const ViewTemplate& viewTemplate) const {
    if (const auto found = factories_.find(viewTemplate.id); found != factories_.end()) {
        return found->second;
    }
    return [caption = viewTemplate.caption](ViewContext&) {
        return std::make_unique<PendingView>(caption);
    };
}

CustomMdiChildWnd* ZerandiApplication::CreateFrame(const ViewTemplate& viewTemplate,
                                                   ViewContext& context) {
    std::unique_ptr<QWidget> view = FactoryFor(viewTemplate)(context);
    if (view == nullptr) {
        return nullptr;
    }
    return mainFrame_->AddChild(viewTemplate, std::move(view));
}

void ZerandiApplication::ConfigureFrame(CustomMdiChildWnd* frame, bool minimized) {
    if (frame == nullptr) {
        ReportInternalError(ui_, QStringLiteral("ConfigureFrame - NULL pointer"));
        return;
    }
    if (minimized) {
        frame->showMinimized();
    }
}

void ZerandiApplication::RunSerialSettings() {
    SerialSettingsDialog dialog(document_->CommPort(), ui_, mainFrame_.get());
    ui_.runDialog(dialog);
}

}  // namespace zerandi
