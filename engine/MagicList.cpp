#include "engine/MagicList.h"

#include "engine/ErrorWindow.h"
#include "engine/MagicListCodec.h"
#include "engine/PictureDeletion.h"
#include "engine/WallpaperPlacement.h"
#include "platform/ImageBox.h"
#include "platform/Random.h"
#include "platform/Services.h"
#include "runtime/Conversions.h"

#include <QDir>
#include <QFileInfo>
#include <utility>

namespace {

constexpr qsizetype kMaxEntries = 32767;

QString defaultListName() {
    return QStringLiteral("My Magic List");
}

// The folder part of a path: the text before its last "/", "/" itself for a
// file in the root, or the current folder when there is no folder part.
QString folderPartOf(const QString& path) {
    const qsizetype slash = path.lastIndexOf(u'/');
    if (slash > 0)
        return path.left(slash);
    if (slash == 0)
        return QStringLiteral("/");
    return QDir::currentPath();
}

// The name under which the file system holds the file the path names: the
// exact name when it exists, else the first name in the folder that matches
// it without regard to letter case, as lookups on the original system did.
QString locateFileName(const QString& folder, const QString& fileName) {
    if (fileName.isEmpty())
        return {};
    const QFileInfo exact(QDir(folder), fileName);
    if (exact.isFile())
        return fileName;
    const QDir dir(folder);
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        if (name.compare(fileName, Qt::CaseInsensitive) == 0)
            return name;
    }
    return {};
}

} // namespace

clsMagicList::clsMagicList() : name_(defaultListName()) {}

void clsMagicList::SetActiveEntryChanged() {
    activeEntryChanged_ = true;
}

bool clsMagicList::HasActiveEntryChanged() const {
    return activeEntryChanged_;
}

void clsMagicList::RandomizeEntries() {
    if (busy_ || entries_.size() < 2)
        return;
    const qsizetype count = entries_.size();
    for (qsizetype i = 0; i < count; ++i) {
        const float r = static_cast<float>(services().random->next());
        qsizetype j = static_cast<qsizetype>(static_cast<float>(count - 1) * r + 1.0f);
        // A value just below 1 can round up to 1 in single precision.
        if (j > count - 1)
            j = count - 1;
        entries_.swapItemsAt(i, j);
    }
}

void clsMagicList::SelectOnlyAcitve() {
    if (busy_)
        return;
    for (MagicListEntry& e : entries_)
        e.Selected = vbBool(e.Active != 0);
}

void clsMagicList::ClearList() {
    if (busy_)
        return;
    entries_.clear();
    name_.clear();
    filePath_.clear();
}

// The windows that take names refuse a text the file cannot hold; what
// reaches the list another way is cut to fit, so the list stays storable.
void clsMagicList::SetListName(const QString& name) {
    if (!busy_)
        name_ = listfile::fittingStart(name);
}

void clsMagicList::DeleteItem(int16_t index) {
    if (busy_ || !validIndex(index))
        return;
    removedPictures_.append(entries_[index].Path);
    removeEntryAt(index);
}

int clsMagicList::DeleteRemovedPictures() {
    if (removedPictures_.isEmpty())
        return 0;
    PictureDeletion deletion;
    for (const QString& path : std::as_const(removedPictures_))
        deletion.note(path);
    removedPictures_.clear();
    deletion.finish(*this);
    return deletion.listsRead();
}

void clsMagicList::removeEntryAt(qsizetype index) {
    const bool wasActive = entries_[index].Active != 0;
    entries_.removeAt(index);
    if (!entries_.isEmpty() && wasActive) {
        const qsizetype heir = index < entries_.size() ? index : 0;
        entries_[heir].Active = VbTrue;
        activeEntryChanged_ = true;
    }
}

QString clsMagicList::GetListName() const {
    return name_;
}

int16_t clsMagicList::GetCount() const {
    return static_cast<int16_t>(entries_.size());
}

QString clsMagicList::GetEntryName(int16_t index) const {
    if (!validIndex(index))
        return {};
    const QString& name = entries_[index].Name;
    return name.isEmpty() ? QStringLiteral("UNKNOWN") : name;
}

void clsMagicList::SetEntryName(int16_t index, const QString& name) {
    if (!busy_ && validIndex(index))
        entries_[index].Name = listfile::fittingStart(name);
}

bool clsMagicList::GetEntrySelected(int16_t index) const {
    return validIndex(index) && entries_[index].Selected != 0;
}

int16_t clsMagicList::GetActiveEntry() const {
    for (qsizetype i = 0; i < entries_.size(); ++i) {
        if (entries_[i].Active != 0)
            return static_cast<int16_t>(i);
    }
    return 0;
}

QString clsMagicList::GetEntryPath(int16_t index) const {
    return validIndex(index) ? entries_[index].Path : QString();
}

void clsMagicList::SetEntryPath(int16_t index, const QString& path) {
    if (!busy_ && validIndex(index))
        entries_[index].Path = path;
}

int16_t clsMagicList::GetEntryPosition(int16_t index) const {
    return validIndex(index) ? entries_[index].Position : defaultPosition_;
}

int16_t clsMagicList::GetEntryLeft(int16_t index) const {
    if (!validIndex(index))
        return -1;
    const MagicListEntry& e = entries_[index];
    return (e.CropWidth != 0 && e.CropHeight != 0) ? e.CropLeft : int16_t(-1);
}

int16_t clsMagicList::GetEntryTop(int16_t index) const {
    return validIndex(index) ? entries_[index].CropTop : int16_t(0);
}

int16_t clsMagicList::GetEntryWidth(int16_t index) const {
    return validIndex(index) ? entries_[index].CropWidth : int16_t(0);
}

int16_t clsMagicList::GetEntryHeight(int16_t index) const {
    return validIndex(index) ? entries_[index].CropHeight : int16_t(0);
}

int16_t clsMagicList::GetEntryRotate(int16_t index) const {
    return validIndex(index) ? entries_[index].Rotation : int16_t(0);
}

void clsMagicList::RotateEntry(int16_t index) {
    if (busy_ || !validIndex(index))
        return;
    MagicListEntry& e = entries_[index];
    const bool cropped = e.CropLeft != -1;
    int pictureHeight = 0;
    if (cropped) {
        // The crop turns with the picture, which needs the picture's height
        // as it is shown now. Without it the two would no longer match, so
        // an unreadable picture keeps both as they are.
        const std::optional<QSize> size = ImageBox::orientedSize(e.Path);
        if (!size)
            return;
        pictureHeight = turnedSize(*size, e.Rotation).height();
    }
    switch (e.Rotation) {
    case 0:
        e.Rotation = 90;
        break;
    case 90:
        e.Rotation = 180;
        break;
    case 180:
        e.Rotation = 270;
        break;
    default:
        e.Rotation = 0;
        break;
    }
    if (e.Active != 0)
        activeEntryChanged_ = true;
    if (cropped) {
        const int left = e.CropLeft, top = e.CropTop, width = e.CropWidth, height = e.CropHeight;
        e.CropLeft = static_cast<int16_t>(pictureHeight - top - height);
        e.CropTop = static_cast<int16_t>(left);
        e.CropWidth = static_cast<int16_t>(height);
        e.CropHeight = static_cast<int16_t>(width);
    }
}

void clsMagicList::SetEntryProperties(int16_t index, int16_t left, int16_t top, int16_t width,
                                      int16_t height) {
    if (busy_ || !validIndex(index))
        return;
    MagicListEntry& e = entries_[index];
    e.CropLeft = left;
    e.CropTop = top;
    e.CropWidth = width;
    e.CropHeight = height;
    if (e.Active != 0)
        activeEntryChanged_ = true;
}

void clsMagicList::SetEntryPosition(int16_t index, int16_t placement) {
    if (busy_ || !validIndex(index))
        return;
    entries_[index].Position = placement;
    if (entries_[index].Active != 0)
        activeEntryChanged_ = true;
}

void clsMagicList::SetEntryBGColor(int16_t index, int32_t colour) {
    if (busy_ || !validIndex(index))
        return;
    entries_[index].BGColor = colour;
    if (entries_[index].Active != 0)
        activeEntryChanged_ = true;
}

void clsMagicList::SetEntrySelected(int16_t index, bool selected) {
    if (!busy_ && validIndex(index))
        entries_[index].Selected = vbBool(selected);
}

int32_t clsMagicList::GetEntryBackgroundColor(int16_t index) const {
    return validIndex(index) ? entries_[index].BGColor : 0;
}

void clsMagicList::SetActiveEntry(int16_t index) {
    if (busy_)
        return;
    for (qsizetype i = 0; i < entries_.size(); ++i)
        entries_[i].Active = vbBool(i == index);
    activeEntryChanged_ = false;
    // The file always names the entry on the desktop; a failed save has
    // already been reported to the user.
    Save();
}

void clsMagicList::ClearFlags(int32_t flagNumber) {
    if (busy_ || flagNumber < 1 || flagNumber > 4)
        return;
    for (MagicListEntry& e : entries_)
        e.Flags[flagNumber - 1] = 0;
}

void clsMagicList::SetFlag(int16_t index, int16_t flagNumber, int16_t value) {
    if (busy_ || !validIndex(index) || flagNumber < 1 || flagNumber > 4)
        return;
    entries_[index].Flags[flagNumber - 1] = value;
}

int16_t clsMagicList::getFlag(int16_t index, int16_t flagNumber) const {
    if (!validIndex(index) || flagNumber < 1 || flagNumber > 4)
        return 0;
    return entries_[index].Flags[flagNumber - 1];
}

void clsMagicList::ReInitialize() {
    if (busy_)
        return;
    const QString header = std::exchange(header_, {});
    *this = clsMagicList();
    header_ = header;
}

int16_t clsMagicList::MoveItem(int16_t from, int16_t& to) {
    if (busy_)
        return -1;
    const auto count = static_cast<int16_t>(entries_.size());
    if (to < 0)
        to = 0;
    if (to > count - 1)
        to = static_cast<int16_t>(count - 1);
    if (from < 0 || from >= count)
        return 0;
    entries_.move(from, to);
    return to;
}

int16_t clsMagicList::MoveItem(int16_t from, int16_t&& to) {
    return MoveItem(from, to);
}

int16_t clsMagicList::AddItem(const QString& path, int32_t& colour, int16_t& placement) {
    const int16_t index = addItemQuietly(path, colour, placement);
    if (index < 0 && !busy_)
        ShowErrorMessage(QStringLiteral("Unable to add '") + path +
                             QStringLiteral("' to the magic list."),
                         0, QString());
    return index;
}

int16_t clsMagicList::addItemQuietly(const QString& path, int32_t& colour, int16_t& placement) {
    if (colour == -1)
        colour = defaultColour_;
    if (placement == -1)
        placement = defaultPosition_;
    if (busy_)
        return -1;
    const QString folder = folderPartOf(path);
    const qsizetype slash = path.lastIndexOf(u'/');
    const QString fileName = locateFileName(folder, path.mid(slash + 1));
    // Indexes are 16-bit: a 32768th entry could not be reached.
    if (fileName.isEmpty() || entries_.size() >= kMaxEntries)
        return -1;
    MagicListEntry entry;
    const qsizetype dot = fileName.lastIndexOf(u'.');
    entry.Name = dot >= 0 ? fileName.left(dot) : fileName;
    entry.Path = folder.endsWith(u'/') ? folder + fileName : folder + u'/' + fileName;
    entry.BGColor = colour;
    entry.Position = placement;
    entries_.append(entry);
    return static_cast<int16_t>(entries_.size() - 1);
}

int16_t clsMagicList::AddItem(const QString& path, int32_t&& colour, int16_t&& placement) {
    return AddItem(path, colour, placement);
}

uint32_t clsMagicList::entryId(int16_t index) const {
    return validIndex(index) ? entries_[index].Id : 0;
}

int16_t clsMagicList::indexOfEntryId(uint32_t id) const {
    for (qsizetype i = 0; i < entries_.size(); ++i) {
        if (entries_[i].Id == id)
            return static_cast<int16_t>(i);
    }
    return -1;
}

QString clsMagicList::GetFilePath() const {
    return filePath_;
}

void clsMagicList::SetPublic() {
    if (!busy_)
        public_ = true;
}

void clsMagicList::SetPrivate() {
    if (!busy_)
        public_ = false;
}

bool clsMagicList::IsPublic() const {
    return public_;
}

void clsMagicList::ClearFilePath() {
    if (!busy_)
        filePath_.clear();
}
