#include "engine/MagicList.h"

clsMagicList ActiveMagicList;

clsMagicList::clsMagicList() : name_(QStringLiteral("My Magic List")) {}

void clsMagicList::SetActiveEntryChanged() {
    activeEntryChanged_ = true;
}
bool clsMagicList::HasActiveEntryChanged() const {
    return activeEntryChanged_;
}
void clsMagicList::RemoveDuplicates() {}
void clsMagicList::RandomizeEntries() {}
void clsMagicList::SelectOnlyAcitve() {}
void clsMagicList::ClearList() {}
void clsMagicList::SetListName(const QString& name) {
    name_ = name;
}
void clsMagicList::DeleteItem(int16_t) {}
QString clsMagicList::GetListName() const {
    return name_;
}
int16_t clsMagicList::GetCount() const {
    return static_cast<int16_t>(entries_.size());
}
QString clsMagicList::GetEntryName(int16_t) const {
    return {};
}
void clsMagicList::SetEntryName(int16_t, const QString&) {}
bool clsMagicList::GetEntrySelected(int16_t) const {
    return false;
}
int16_t clsMagicList::GetActiveEntry() const {
    return 0;
}
QString clsMagicList::GetEntryPath(int16_t) const {
    return {};
}
void clsMagicList::SetEntryPath(int16_t, const QString&) {}
int16_t clsMagicList::GetEntryPosition(int16_t) const {
    return 0;
}
int16_t clsMagicList::GetEntryLeft(int16_t) const {
    return -1;
}
int16_t clsMagicList::GetEntryTop(int16_t) const {
    return 0;
}
int16_t clsMagicList::GetEntryWidth(int16_t) const {
    return 0;
}
int16_t clsMagicList::GetEntryHeight(int16_t) const {
    return 0;
}
int16_t clsMagicList::GetEntryRotate(int16_t) const {
    return 0;
}
void clsMagicList::RotateEntry(int16_t) {}
void clsMagicList::SetEntryProperties(int16_t, int16_t, int16_t, int16_t, int16_t) {}
void clsMagicList::SetEntryPosition(int16_t, int16_t) {}
void clsMagicList::SetEntryBGColor(int16_t, int32_t) {}
void clsMagicList::SetEntrySelected(int16_t, bool) {}
int32_t clsMagicList::GetEntryBackgroundColor(int16_t) const {
    return 0;
}
void clsMagicList::SetActiveEntry(int16_t) {}
void clsMagicList::ClearFlags(int32_t) {}
void clsMagicList::SetFlag(int16_t, int16_t, int16_t) {}
int16_t clsMagicList::getFlag(int16_t, int16_t) const {
    return 0;
}
void clsMagicList::ReInitialize() {}
int16_t clsMagicList::MoveItem(int16_t, int16_t&) {
    return 0;
}
int16_t clsMagicList::MoveItem(int16_t from, int16_t&& to) {
    return MoveItem(from, to);
}
int16_t clsMagicList::AddItem(const QString&, int32_t&, int16_t&) {
    return -1;
}
int16_t clsMagicList::AddItem(const QString& path, int32_t&& colour, int16_t&& placement) {
    return AddItem(path, colour, placement);
}
QString clsMagicList::GetFilePath() const {
    return filePath_;
}
bool clsMagicList::Save() {
    return false;
}
int16_t clsMagicList::Load(const QString&) {
    return -76;
}
QString clsMagicList::GetScheduleDesc() const {
    return {};
}
QString clsMagicList::TimeOfNextUpdate(const QDateTime&, int16_t) {
    return {};
}
bool clsMagicList::IsTimeToAutoUpdate(const QDateTime&) {
    return false;
}
void clsMagicList::SetSchUpdateOption(int16_t) {}
int16_t clsMagicList::GetSchUpdateOption() const {
    return schedule_.Option;
}
void clsMagicList::SetSchUpdateOnDaysOnly(bool) {}
bool clsMagicList::GetSchUpdateOnDaysOnly() const {
    return false;
}
void clsMagicList::SetSchUpdateOnDay(int16_t, bool) {}
bool clsMagicList::GetSchUpdateOnDay(int16_t) const {
    return false;
}
void clsMagicList::SetSchUpdateOnHours(bool) {}
bool clsMagicList::GetSchUpdateOnHours() const {
    return false;
}
void clsMagicList::SetSchUpdateStartHour(int16_t) {}
void clsMagicList::SetSchUpdateEndHour(int16_t) {}
int16_t clsMagicList::GetSchUpdateStartHour() const {
    return schedule_.StartHour;
}
int16_t clsMagicList::GetSchUpdateEndHour() const {
    return schedule_.EndHour;
}
void clsMagicList::SetSchInterval(int16_t) {}
int16_t clsMagicList::GetSchInterval() const {
    return schedule_.Interval;
}
void clsMagicList::SetSchIntervalUnit(int16_t) {}
int16_t clsMagicList::GetSchIntervalUnit() const {
    return schedule_.IntervalUnit;
}
void clsMagicList::SetSchUpdateHour(int16_t) {}
int16_t clsMagicList::GetSchUpdateHour() const {
    return schedule_.HourMode;
}
void clsMagicList::SetSchUpdateCounter(int16_t) {}
int16_t clsMagicList::GetSchUpdateCounter() const {
    return schedule_.TimesADay;
}
void clsMagicList::SetPublic() {
    public_ = true;
}
void clsMagicList::SetPrivate() {
    public_ = false;
}
bool clsMagicList::IsPublic() const {
    return public_;
}
void clsMagicList::ClearFilePath() {
    filePath_.clear();
}
bool clsMagicList::IsUpdateDay(QDateTime&) const {
    return true;
}
bool clsMagicList::IsUpdateHour(QDateTime&) const {
    return true;
}
int16_t clsMagicList::GetMinutesPerDay() const {
    return 1440;
}
bool clsMagicList::otherEntryUses(const QString&, qsizetype) const {
    return false;
}
void clsMagicList::deleteEntryAt(qsizetype, bool) {}
