// Feeds arbitrary bytes to the list reader as a list file. A file that
// loads must save and load back to the same list; nothing may crash, hang
// or allocate more than the file can hold.

#include "engine/ErrorWindow.h"
#include "engine/MagicList.h"
#include "engine/Options.h"
#include "engine/ProgramState.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

class SilentPresenter : public ErrorPresenter {
public:
    void showMessage(const QString&, int16_t, const QString&) override {}
    int16_t askQuestion(const QString&, const QString&, int16_t, const QString&) override {
        return answer::No;
    }
};

std::unique_ptr<QTemporaryDir> workFolder;
SilentPresenter presenter;

bool sameEntries(const clsMagicList& a, const clsMagicList& b) {
    if (a.GetCount() != b.GetCount() || a.GetListName() != b.GetListName() ||
        a.GetActiveEntry() != b.GetActiveEntry())
        return false;
    for (int16_t i = 0; i < a.GetCount(); ++i) {
        if (a.GetEntryName(i) != b.GetEntryName(i) || a.GetEntryPath(i) != b.GetEntryPath(i) ||
            a.GetEntryPosition(i) != b.GetEntryPosition(i) ||
            a.GetEntryBackgroundColor(i) != b.GetEntryBackgroundColor(i) ||
            a.GetEntryLeft(i) != b.GetEntryLeft(i) || a.GetEntryTop(i) != b.GetEntryTop(i) ||
            a.GetEntryWidth(i) != b.GetEntryWidth(i) ||
            a.GetEntryHeight(i) != b.GetEntryHeight(i) ||
            a.GetEntryRotate(i) != b.GetEntryRotate(i))
            return false;
        for (int16_t flag = 1; flag <= 4; ++flag)
            if (a.getFlag(i, flag) != b.getFlag(i, flag))
                return false;
    }
    return a.GetSchUpdateOption() == b.GetSchUpdateOption() &&
           a.GetSchInterval() == b.GetSchInterval() &&
           a.GetSchIntervalUnit() == b.GetSchIntervalUnit() &&
           a.GetSchUpdateHour() == b.GetSchUpdateHour() &&
           a.GetSchUpdateCounter() == b.GetSchUpdateCounter() &&
           a.GetSchUpdateStartHour() == b.GetSchUpdateStartHour() &&
           a.GetSchUpdateEndHour() == b.GetSchUpdateEndHour();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    workFolder = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/fuzz-XXXXXX"));
    const QString base = workFolder->path();
    Options.PrivateMagicListPath = base + QStringLiteral("/private/");
    Options.PublicMagicListPath = base + QStringLiteral("/public/");
    Options.PublicImagesPath = base + QStringLiteral("/Images/");
    Options.ListExtension = QStringLiteral("MLS");
    QDir().mkpath(Options.PrivateMagicListPath);
    setErrorPresenter(&presenter);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = Options.PrivateMagicListPath + QStringLiteral("MList1.MLS");
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    clsMagicList loaded;
    if (loaded.loadQuietly(path) != 0)
        return 0;
    // A list that loads must survive its own save unchanged. Save refuses
    // strings that grow past the length field once written as UTF-8.
    if (!loaded.Save())
        return 0;
    clsMagicList reloaded;
    if (reloaded.loadQuietly(path) != 0 || !sameEntries(loaded, reloaded))
        std::abort();
    return 0;
}
