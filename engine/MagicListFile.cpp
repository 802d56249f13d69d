#include "engine/MagicList.h"

#include "engine/ErrorWindow.h"
#include "engine/FileRoutines.h"
#include "engine/MagicListCodec.h"
#include "engine/Options.h"
#include "engine/ProgramState.h"
#include "platform/AtomicFile.h"
#include "platform/RegularFile.h"
#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"

#include <QFile>
#include <QFileInfo>

using listfile::Reader;
using listfile::Writer;

namespace {

const QString kMarker = QStringLiteral("$PUBLICIMAGEPATH");
constexpr int kMaxFileNumber = 200;

// Paths under the public pictures folder are stored relative to a marker,
// so that shipped lists work wherever the program is installed. The rest
// of such a path uses "\" as lists made on Windows do.
QString storedPathOf(const QString& path) {
    const QString longPath = GetLongFileName(path);
    const QString& images = Options.PublicImagesPath;
    if (images.isEmpty() || !longPath.startsWith(images, Qt::CaseSensitive))
        return longPath;
    QString rest = longPath.mid(images.size());
    rest.replace(u'/', u'\\');
    return kMarker + u'\\' + rest;
}

QString pathFromStored(const QString& stored) {
    if (!stored.startsWith(kMarker, Qt::CaseSensitive))
        return stored;
    QString rest = stored.mid(kMarker.size() + 1);
    rest.replace(u'\\', u'/');
    return Options.PublicImagesPath + rest;
}

QString headerTextForSave() {
    return QStringLiteral("Vellamore Magic List").leftJustified(listfile::kHeaderSize, u' ');
}

void writeSchedule(Writer& out, const MagicListSchedule& s) {
    out.int16(s.Option);
    out.int16(s.DaysOnly);
    for (int16_t day : s.Days)
        out.int16(day);
    out.int16(s.HoursOnly);
    out.int16(s.StartHour);
    out.int16(s.EndHour);
    out.int16(s.Interval);
    out.int16(s.IntervalUnit);
    out.int16(s.HourMode);
    out.int16(s.TimesADay);
}

void readSchedule(Reader& in, MagicListSchedule& s) {
    s.Option = in.int16();
    s.DaysOnly = in.int16();
    for (int16_t& day : s.Days)
        day = in.int16();
    s.HoursOnly = in.int16();
    s.StartHour = in.int16();
    s.EndHour = in.int16();
    s.Interval = in.int16();
    s.IntervalUnit = in.int16();
    s.HourMode = in.int16();
    s.TimesADay = in.int16();
}

void writeEntry(Writer& out, const MagicListEntry& e) {
    out.countedString(e.Name);
    out.countedString(storedPathOf(e.Path));
    out.int32(e.BGColor);
    out.int16(e.Position);
    out.int16(e.Selected);
    out.int16(e.Active);
    out.int16(e.CropLeft);
    out.int16(e.CropTop);
    out.int16(e.CropWidth);
    out.int16(e.CropHeight);
    out.int16(e.Rotation);
    for (int16_t flag : e.Flags)
        out.int16(flag);
}

MagicListEntry readEntry(Reader& in) {
    MagicListEntry e;
    e.Name = in.countedString();
    e.Path = pathFromStored(in.countedString());
    e.BGColor = in.int32();
    e.Position = in.int16();
    in.int16(); // the selection is not kept across sessions
    e.Selected = VbFalse;
    e.Active = in.int16();
    e.CropLeft = in.int16();
    e.CropTop = in.int16();
    e.CropWidth = in.int16();
    e.CropHeight = in.int16();
    e.Rotation = in.int16();
    for (int16_t& flag : e.Flags)
        flag = in.int16();
    return e;
}

// The first free "MList<n>.<extension>" in the folder, or "" when all are taken.
QString freeListFileName(const QString& folder) {
    const QString base = withSlash(folder) + QStringLiteral("MList");
    for (int n = 1; n <= kMaxFileNumber; ++n) {
        const QString candidate = base + QString::number(n) + u'.' + Options.ListExtension;
        if (!QFileInfo::exists(candidate))
            return candidate;
    }
    return {};
}

} // namespace

bool clsMagicList::Save() {
    if (filePath_.isEmpty()) {
        const QString folder = public_ ? Options.PublicMagicListPath : Options.PrivateMagicListPath;
        filePath_ = freeListFileName(folder);
        if (filePath_.isEmpty()) {
            // Taking any of the existing names would destroy another list.
            ShowErrorMessage(QStringLiteral("Unable to save the magic list: MList1 to MList%1 "
                                            "already exist in '%2'.")
                                 .arg(kMaxFileNumber)
                                 .arg(folder),
                             0, QString());
            return false;
        }
    }
    header_ = headerTextForSave();
    Writer out;
    try {
        out.reserve(128 + entries_.size() * 96);
        out.raw(header_.toLatin1());
        out.countedString(QStringLiteral("01.00.005"));
        out.countedString(name_);
        out.int16(static_cast<int16_t>(entries_.size()));
        for (const MagicListEntry& e : entries_)
            writeEntry(out, e);
        writeSchedule(out, schedule_);
    } catch (const RuntimeError& error) {
        // A text the file cannot hold (a list made elsewhere) is still too
        // long at the next save. A save the user asked for always says so;
        // the changes the timer makes on its own tell it once, until a
        // save succeeds again.
        if (!ThisRun.savingOnSchedule || error.description() != unstorableText_) {
            unstorableText_ = error.description();
            ShowErrorMessage(error.description(), 0, QString());
        }
        return false;
    }
    try {
        // The new content goes to a temporary file that replaces the old
        // one only when complete, so a failed save never damages a list.
        // A missing folder is "Path not found"; a save does not make it.
        if (!QFileInfo(QFileInfo(filePath_).absolutePath()).isDir())
            raiseError(vberr::PathNotFound);
        if (const int err = replaceFileContent(filePath_, out.bytes()))
            raiseError(errorNumberFromErrno(err));
        unstorableText_.clear();
        // The file no longer names the removed entries' pictures.
        DeleteRemovedPictures();
        return true;
    } catch (const RuntimeError& error) {
        ShowErrorMessage(error.description(), 0, QString());
        return false;
    }
}

int16_t clsMagicList::Load(const QString& path) {
    return loadFile(path, true);
}

int16_t clsMagicList::loadQuietly(const QString& path) {
    return loadFile(path, false);
}

int16_t clsMagicList::loadFile(const QString& path, bool reportErrors) {
    if (busy_)
        return -1;
    // The file left behind still names the pictures of entries removed
    // since its last save: they stay.
    removedPictures_.clear();
    filePath_.clear();
    // Only ordinary files: opening a pipe or a device could block the start.
    QFile file;
    if (!openRegularFile(file, path))
        return -vberr::PathNotFound;
    const qint64 size = file.size();
    QByteArray copy;
    const char* data = nullptr;
    if (size > 0) {
        data = reinterpret_cast<const char*>(file.map(0, size));
        if (!data) {
            copy = file.readAll();
            data = copy.constData();
        }
    }
    const qsizetype available = data == copy.constData() ? copy.size() : size;
    try {
        Reader in(data, available);
        header_ = in.fixedText(listfile::kHeaderSize);
        in.countedString(); // the version, never checked
        name_ = trimBlanks(in.countedString());
        const int16_t count = in.int16();
        entries_.clear();
        // Refuse a count the rest of the file cannot hold before making room.
        if (count < 0 || count * listfile::kMinEntrySize > in.remaining())
            raiseError(vberr::InputPastEnd);
        entries_.reserve(count);
        qsizetype remembered = -1;
        for (int16_t i = 0; i < count; ++i) {
            entries_.append(readEntry(in));
            if (entries_.last().Active == VbTrue)
                remembered = i;
        }
        readSchedule(in, schedule_);
        if (remembered < 0 && !entries_.isEmpty()) {
            entries_[0].Active = VbTrue;
            entries_[0].Selected = VbTrue;
        } else if (remembered >= 0) {
            entries_[remembered].Selected = VbTrue;
        }
        filePath_ = path;
        const QString& publicFolder = Options.PublicMagicListPath;
        public_ = !publicFolder.isEmpty() && path.startsWith(publicFolder, Qt::CaseSensitive);
        return 0;
    } catch (const RuntimeError& error) {
        if (reportErrors)
            ShowErrorMessage(error.description(), 0, QString());
        return static_cast<int16_t>(-error.number());
    }
}
