#pragma once

#include <QAbstractListModel>

class clsMagicList;

// The control panel's entry list over a Magic List. It keeps no copy of
// the entries: row k shows entry k's name, read from the list when the view
// asks. The number of rows is the model's own and changes only when the
// panel refills the view (rows()), never by itself: between two refills
// the list may change under the view, and the panel shows an empty view
// over a list that is not empty while it offers ways to fill it.
class EntryListModel final : public QAbstractListModel {
    Q_OBJECT
public:
    // The role that gives a row's entry index (the item's Tag).
    static constexpr int TagRole = Qt::UserRole;

    explicit EntryListModel(const clsMagicList& list, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Shows `count` rows, adding rows at the end or removing them from the
    // end, and has the view read every row's name afresh.
    void setRows(int count);

private:
    const clsMagicList& list_;
    int rows_ = 0;
};
