#include "panel/EntryListModel.h"

#include "engine/MagicList.h"

EntryListModel::EntryListModel(const clsMagicList& list, QObject* parent)
    : QAbstractListModel(parent), list_(list) {}

int EntryListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

QVariant EntryListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_)
        return {};
    const auto entry = static_cast<int16_t>(index.row());
    switch (role) {
    case Qt::DisplayRole:
        // A row the list no longer has shows nothing until the next refill.
        return entry < list_.GetCount() ? list_.GetEntryName(entry) : QString();
    case TagRole:
        return int(entry);
    default:
        return {};
    }
}

QVariant EntryListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (section == 0 && orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return QStringLiteral("Wallpaper Images");
    return {};
}

Qt::ItemFlags EntryListModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void EntryListModel::setRows(int count) {
    if (count > rows_) {
        beginInsertRows(QModelIndex(), rows_, count - 1);
        rows_ = count;
        endInsertRows();
    } else if (count < rows_) {
        beginRemoveRows(QModelIndex(), count, rows_ - 1);
        rows_ = count;
        endRemoveRows();
    }
    if (rows_ > 0)
        emit dataChanged(index(0), index(rows_ - 1), {Qt::DisplayRole});
}
