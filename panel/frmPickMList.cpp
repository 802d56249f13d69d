#include "panel/frmPickMList.h"

#include "engine/ProgramState.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

frmPickMList::frmPickMList(QWidget* parent) : FormDialog(parent) {
    kit::initForm(this, "frmPickMList", QStringLiteral("Choose Magic List"));
    lblList = kit::label(this, "lblList", QStringLiteral("Magic List:"));
    cmbName = kit::comboBox(this, "cmbName");
    cmdOK = kit::button(this, "cmdOK", QStringLiteral("OK"));
    cmdClose = kit::button(this, "cmdClose", QStringLiteral("Cancel"));
    setDefaultButton(cmdOK);
    setCancelButton(cmdClose);

    lblList->setGeometry(kit::twipsRect(240, 285, 1000, 255));
    cmbName->setGeometry(kit::twipsRect(1260, 225, 3540, 345));
    cmdOK->setGeometry(kit::twipsRect(2250, 900, 1215, 375));
    cmdClose->setGeometry(kit::twipsRect(3585, 900, 1215, 375));
    setFixedSize(kit::px(5040), kit::pxY(1545));

    kit::on(cmdOK, &QPushButton::clicked, this, &frmPickMList::cmdOK_Click);
    kit::on(cmdClose, &QPushButton::clicked, this, &frmPickMList::cmdClose_Click);
}

void frmPickMList::Form_Load() {
    Cancelled = true;
    cmbName->clear();
    // The box keeps its rows sorted by name; equal names keep the index's
    // order.
    QList<int16_t> rows;
    for (int16_t i = 1; i <= ListIndexCount; ++i)
        rows << i;
    std::stable_sort(rows.begin(), rows.end(), [](int16_t a, int16_t b) {
        return ListIndexEntries[a].ListName.compare(ListIndexEntries[b].ListName,
                                                    Qt::CaseInsensitive) < 0;
    });
    for (int16_t row : rows)
        cmbName->addItem(ListIndexEntries[row].ListName, int(row));
    // The open list is chosen (the last of its rows when several carry
    // exactly its name); no row is chosen when none does.
    int16_t open = 0;
    const QString name = ActiveMagicList.GetListName();
    for (int16_t i = 1; i <= ListIndexCount; ++i) {
        if (ListIndexEntries[i].ListName == name)
            open = i;
    }
    cmbName->setCurrentIndex(open > 0 ? cmbName->findData(int(open)) : -1);
}

void frmPickMList::cmdOK_Click() {
    const int item = cmbName->currentIndex();
    if (item >= 0) {
        const int v = cmbName->itemData(item).toInt();
        if (v >= 1 && v <= ListIndexCount) {
            Cancelled = false;
            PickedListNumber = static_cast<int16_t>(v);
        }
    }
    hide();
}

void frmPickMList::cmdClose_Click() {
    Cancelled = true;
    hide();
}
