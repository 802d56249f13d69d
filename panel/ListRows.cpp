#include "panel/ListRows.h"

#include "runtime/Conversions.h"

namespace {

bool isListFile(int16_t row, const QString& path, const QList<ListIndexEntry>& index,
                int16_t indexCount) {
    return !path.isEmpty() && row >= 1 && row <= indexCount && row < index.size() &&
           index[row].ListPath == path;
}

} // namespace

int matchingListRow(const QList<ListRow>& rows, const QString& name, const QString& path,
                    const QList<ListIndexEntry>& index, int16_t indexCount) {
    for (int i = 0; i < rows.size(); ++i) {
        if (isListFile(rows[i].itemData, path, index, indexCount))
            return i;
    }
    const QString wanted = trimBlanks(name).toUpper();
    for (int i = 0; i < rows.size(); ++i) {
        if (trimBlanks(rows[i].text).toUpper() == wanted)
            return i;
    }
    return -1;
}

int16_t indexRowOf(const QString& name, const QString& path, const QList<ListIndexEntry>& index,
                   int16_t indexCount) {
    for (int16_t i = 1; i <= indexCount && i < index.size(); ++i) {
        if (isListFile(i, path, index, indexCount))
            return i;
    }
    for (int16_t i = 1; i <= indexCount && i < index.size(); ++i) {
        if (index[i].ListName == name)
            return i;
    }
    return 0;
}
