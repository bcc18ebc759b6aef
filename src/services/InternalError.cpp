#include "services/InternalError.h"

namespace zerandi {

namespace {

constexpr qsizetype kMaxInternalErrorChars = 249;

}  // namespace

void ReportInternalError(UiServices& ui, const QString& message) {
    const QString text = QStringLiteral("Internal SW ERROR\n\n") + message;
    // An empty caption is the product name.
    ui.showMessage(text.left(kMaxInternalErrorChars), MessageIcon::Warning);
}

}  // namespace zerandi
