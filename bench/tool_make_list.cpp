// Writes a list file of COUNT entries, for benchmarks, the idle-cost script
// and the fuzzer's seed files.
//
//   tool_make_list OUT.MLS COUNT [--name TEXT] [--picture PATH]...
//                  [--active N] [--crop L,T,W,H] [--schedule OPTION,INTERVAL,UNIT]
//                  [--public-images FOLDER]
//
// Entries take the pictures in turn (they must exist); without --picture
// every entry names the same made-up camera file. With --public-images,
// pictures under that folder are stored relative to it, as shipped lists are.

#include "bench/PrintedErrors.h"
#include "engine/MagicList.h"
#include "engine/Options.h"
#include "engine/ProgramState.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

int usage() {
    QTextStream(stderr) << "usage: tool_make_list OUT.MLS COUNT [--name TEXT] [--picture PATH]... "
                           "[--active N] [--crop L,T,W,H] [--schedule OPTION,INTERVAL,UNIT] "
                           "[--public-images FOLDER]\n";
    return 2;
}

QList<int> numbers(const QString& text) {
    QList<int> result;
    for (const QString& part : text.split(u','))
        result.append(part.toInt());
    return result;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    PrintedErrors presenter;
    setErrorPresenter(&presenter);
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() < 2)
        return usage();
    const QString output = QFileInfo(args.takeFirst()).absoluteFilePath();
    const int count = args.takeFirst().toInt();
    QString name = QStringLiteral("My Magic List");
    QStringList pictures;
    int active = -1;
    QList<int> crop, schedule;
    while (args.size() >= 2) {
        const QString option = args.takeFirst(), value = args.takeFirst();
        if (option == u"--name")
            name = value;
        else if (option == u"--picture")
            pictures.append(QFileInfo(value).absoluteFilePath());
        else if (option == u"--active")
            active = value.toInt();
        else if (option == u"--crop")
            crop = numbers(value);
        else if (option == u"--schedule")
            schedule = numbers(value);
        else if (option == u"--public-images")
            Options.PublicImagesPath = QDir(value).absolutePath() + u'/';
        else
            return usage();
    }
    if (!args.isEmpty() || (!crop.isEmpty() && crop.size() != 4) ||
        (!schedule.isEmpty() && schedule.size() != 3))
        return usage();

    QTemporaryDir scratch;
    QString placeholder;
    if (pictures.isEmpty()) {
        placeholder = scratch.path() + QStringLiteral("/IMG_0001.jpg");
        QFile file(placeholder);
        if (file.open(QIODevice::WriteOnly))
            file.write("picture");
        pictures.append(placeholder);
    }
    Options.PrivateMagicListPath = scratch.path() + QStringLiteral("/lists/");
    Options.ListExtension = QStringLiteral("MLS");
    QDir().mkpath(Options.PrivateMagicListPath);

    clsMagicList list;
    list.SetListName(name);
    for (int i = 0; i < count; ++i) {
        const int16_t index = list.AddItem(pictures[i % pictures.size()], 0x00FFFFFF, 4);
        if (index < 0)
            return 1;
        if (!placeholder.isEmpty())
            list.SetEntryPath(index, QStringLiteral("/home/someone/Pictures/IMG_%1.jpg")
                                         .arg(i + 1, 5, 10, QLatin1Char('0')));
        if (!crop.isEmpty())
            list.SetEntryProperties(index, crop[0], crop[1], crop[2], crop[3]);
    }
    if (active >= 0 && active < count)
        list.SetActiveEntry(static_cast<int16_t>(active));
    if (!schedule.isEmpty()) {
        list.SetSchUpdateOption(static_cast<int16_t>(schedule[0]));
        list.SetSchInterval(static_cast<int16_t>(schedule[1]));
        list.SetSchIntervalUnit(static_cast<int16_t>(schedule[2]));
    }
    if (!list.Save())
        return 1;
    QFile::remove(output);
    if (!QFile::rename(list.GetFilePath(), output) && !QFile::copy(list.GetFilePath(), output)) {
        QTextStream(stderr) << "cannot write " << output << '\n';
        return 1;
    }
    QTextStream(stdout) << output << ": " << list.GetCount() << " entries, "
                        << QFileInfo(output).size() << " bytes\n";
    return 0;
}
