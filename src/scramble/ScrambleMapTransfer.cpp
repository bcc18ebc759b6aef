#include "scramble/ScrambleMapTransfer.h"

#include "config/RouterConfigDoc.h"
#include "config/RouterModelTables.h"
#include "services/BusyScope.h"
#include "services/UiServices.h"

namespace zerandi {

namespace {

const QString kReadFailedText = QStringLiteral("Unable to read the Scramble Table of the Router.");
const QString kWriteFailedText = QStringLiteral("Scramble Map write failed!!");

}  // namespace

ScrambleMapTransfer::ScrambleMapTransfer(RouterConfigDoc& doc) : doc_(doc) {}

ScrambleMap ScrambleMapTransfer::RouterMap() const {
    return ScrambleMap::ForRouter(ModelInputCount(doc_.ProductId()),
                                  ModelOutputCount(doc_.ProductId()));
}

bool ScrambleMapTransfer::Read(ScrambleMap& map) {
    ScrambleTableWords words = map.ToTableWords();
    bool read = false;
    {
        BusyScope busy(doc_.Ui());
        read = doc_.CommPort().GetScrambleTable(words);
    }
    if (!read) {
        doc_.Ui().showMessage(kReadFailedText, MessageIcon::Warning);
        return false;
    }
    map.TakeTableWords(words);
    return true;
}

bool ScrambleMapTransfer::Write(const ScrambleMap& map) {
    bool written = false;
    {
        BusyScope busy(doc_.Ui());
        written = doc_.CommPort().SetScrambleTable(map.ToTableWords());
    }
    if (!written) {
        doc_.Ui().showMessage(kWriteFailedText, MessageIcon::Warning);
    }
    return written;
}

}  // namespace zerandi
