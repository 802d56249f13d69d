#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <array>
#include <atomic>
#include <cstdint>

// A number that names one entry for the run: never saved, never reused, and
// kept when the entry moves, so a window can follow an entry through a
// shuffle or a removal.
inline uint32_t nextMagicListEntryId() {
    static std::atomic<uint32_t> last{0};
    return ++last;
}

// One picture of a Magic List. Booleans keep the file's values (-1 True,
// 0 False) so that a list read from disk is written back byte for byte.
struct MagicListEntry {
    QString Name;
    QString Path;
    int16_t Position = 0; // 0 automatic, 1 tile, 2 centre, 3 stretch, 4 best fit
    int32_t BGColor = 0;  // &H00BBGGRR; -1 leaves the desktop colour alone
    int16_t Selected = 0;
    int16_t Active = 0;
    int16_t Duplicate = 0; // work field of RemoveDuplicates
    int16_t CropLeft = -1; // -1: the whole picture
    int16_t CropTop = 0;
    int16_t CropWidth = 0;
    int16_t CropHeight = 0;
    int16_t Rotation = 0; // clockwise degrees; the crop is in the rotated picture
    std::array<int16_t, 4> Flags{};
    int32_t FileSize = 0;                 // work field of RemoveDuplicates
    int32_t CheckSum = 0;                 // work field of RemoveDuplicates
    uint32_t Id = nextMagicListEntryId(); // not saved
};

// The schedule of automatic changes that a list carries in its file.
struct MagicListSchedule {
    int16_t Option = 1; // 0 every interval, 1 at hour marks, 2 times a day, 3 never
    int16_t DaysOnly = 0;
    std::array<int16_t, 7> Days{-1, -1, -1, -1, -1, -1, -1}; // Sunday first
    int16_t HoursOnly = 0;
    int16_t StartHour = 8;
    int16_t EndHour = 17;
    int16_t Interval = 60; // minutes
    int16_t IntervalUnit = 1;
    int16_t HourMode = 1;
    int16_t TimesADay = 5;
};

// A named, ordered list of pictures, its schedule and its file.
//
// Indexes are 0-based; an index outside the list makes a setter do nothing
// and a getter return a neutral value.
//
// Busy guard: RemoveDuplicates serves the event loop while it reads files,
// so timer ticks and tray commands can run in the middle of it. While
// IsBusy() is true every operation that changes the list (entries, name,
// schedule, file path) is refused and does nothing: Load returns -1 without
// touching the list, AddItem and MoveItem return -1. Save still works, since
// the list is whole between two file reads. The minute timer and the tray
// check IsBusy() and skip their work.
class clsMagicList {
public:
    clsMagicList();

    // True while RemoveDuplicates runs; the list refuses changes meanwhile.
    bool IsBusy() const { return busy_; }

    void SetActiveEntryChanged();
    bool HasActiveEntryChanged() const;
    void RemoveDuplicates();
    void RandomizeEntries();
    void SelectOnlyAcitve();
    void ClearList();
    void SetListName(const QString& name);
    // Removes the entry. Its picture file goes too when it is one of the
    // program's copies that no list uses any more (see PictureDeletion),
    // but only once the list file no longer names it: at the next save
    // that succeeds. A command that removes many entries thus reads the
    // other lists once, and a kill between the two steps leaves at worst
    // a copy nobody uses, never a saved entry whose picture is gone.
    void DeleteItem(int16_t index);
    // Deletes the pictures of the removed entries now, for a list whose
    // file has gone; a save does it by itself. The number of other list
    // files read.
    int DeleteRemovedPictures();
    QString GetListName() const;
    int16_t GetCount() const;
    QString GetEntryName(int16_t index) const;
    void SetEntryName(int16_t index, const QString& name);
    bool GetEntrySelected(int16_t index) const;
    int16_t GetActiveEntry() const;
    QString GetEntryPath(int16_t index) const;
    void SetEntryPath(int16_t index, const QString& path);
    int16_t GetEntryPosition(int16_t index) const;
    int16_t GetEntryLeft(int16_t index) const;
    int16_t GetEntryTop(int16_t index) const;
    int16_t GetEntryWidth(int16_t index) const;
    int16_t GetEntryHeight(int16_t index) const;
    int16_t GetEntryRotate(int16_t index) const;
    void RotateEntry(int16_t index);
    void SetEntryProperties(int16_t index, int16_t left, int16_t top, int16_t width,
                            int16_t height);
    void SetEntryPosition(int16_t index, int16_t placement);
    void SetEntryBGColor(int16_t index, int32_t colour);
    void SetEntrySelected(int16_t index, bool selected);
    int32_t GetEntryBackgroundColor(int16_t index) const;
    // Makes index the only active entry and rewrites the list file.
    void SetActiveEntry(int16_t index);
    void ClearFlags(int32_t flagNumber);
    void SetFlag(int16_t index, int16_t flagNumber, int16_t value);
    int16_t getFlag(int16_t index, int16_t flagNumber) const;
    void ReInitialize();
    // Clamps `to` into the list (written back) and returns the new index;
    // 0 when from is not an entry.
    int16_t MoveItem(int16_t from, int16_t& to);
    int16_t MoveItem(int16_t from, int16_t&& to);
    // Appends the picture and returns its index, or -1 when it refuses. A
    // colour or placement of -1 becomes the list's default (written back).
    int16_t AddItem(const QString& path, int32_t& colour, int16_t& placement);
    int16_t AddItem(const QString& path, int32_t&& colour, int16_t&& placement);
    // AddItem without its message, for callers that report refusals
    // together.
    int16_t addItemQuietly(const QString& path, int32_t& colour, int16_t& placement);
    // The entry's number for this run (0 outside the list), and the index
    // of the entry with that number (-1 when it is gone).
    uint32_t entryId(int16_t index) const;
    int16_t indexOfEntryId(uint32_t id) const;
    QString GetFilePath() const;

    // The list file. Save returns false after a failure it has reported;
    // Load returns 0, -76 when the file cannot be opened, or minus the
    // error number of a read failure (reported).
    bool Save();
    int16_t Load(const QString& path);

    QString GetScheduleDesc() const;
    // Format 0 a date text, 1 a text for people, 2 minutes from now.
    QString TimeOfNextUpdate(const QDateTime& lastChange, int16_t format);
    bool IsTimeToAutoUpdate(const QDateTime& lastChange);
    void SetSchUpdateOption(int16_t option);
    int16_t GetSchUpdateOption() const;
    void SetSchUpdateOnDaysOnly(bool value);
    bool GetSchUpdateOnDaysOnly() const;
    void SetSchUpdateOnDay(int16_t day, bool value); // 1 Sunday .. 7 Saturday
    bool GetSchUpdateOnDay(int16_t day) const;
    void SetSchUpdateOnHours(bool value);
    bool GetSchUpdateOnHours() const;
    void SetSchUpdateStartHour(int16_t hour);
    void SetSchUpdateEndHour(int16_t hour);
    int16_t GetSchUpdateStartHour() const;
    int16_t GetSchUpdateEndHour() const;
    void SetSchInterval(int16_t minutes);
    int16_t GetSchInterval() const;
    void SetSchIntervalUnit(int16_t unit);
    int16_t GetSchIntervalUnit() const;
    void SetSchUpdateHour(int16_t mode);
    int16_t GetSchUpdateHour() const;
    void SetSchUpdateCounter(int16_t count);
    int16_t GetSchUpdateCounter() const;

    void SetPublic();
    void SetPrivate();
    bool IsPublic() const;
    void ClearFilePath();

    // Load without the error window, for callers that skip damaged files.
    int16_t loadQuietly(const QString& path);

    // The 55-character header text of the last Save or Load.
    QString headerText() const { return header_; }

private:
    int16_t loadFile(const QString& path, bool reportErrors);
    bool validIndex(int16_t index) const { return index >= 0 && index < entries_.size(); }
    bool IsUpdateDay(QDateTime& date) const;
    bool IsUpdateHour(QDateTime& date) const;
    int GetMinutesPerDay() const;
    // Drops the entry and hands the active role on; the file stays.
    void removeEntryAt(qsizetype index);
    // Drops every entry marked as a duplicate, from the end; their pictures
    // are noted for deletion when asked.
    void removeMarkedEntries(bool notePictures);

    QString name_;
    QList<MagicListEntry> entries_;
    MagicListSchedule schedule_;
    int32_t defaultColour_ = 0;
    int16_t defaultPosition_ = 0;
    QString header_;
    QString filePath_;
    QStringList removedPictures_; // of entries removed since the last save
    QString unstorableText_;      // the last told reason why the content cannot be stored
    bool activeEntryChanged_ = false;
    bool public_ = false;
    bool busy_ = false;
};
