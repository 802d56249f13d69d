#include "tests/panel/PanelTestKit.h"
#include "tests/common/PictureKit.h"

#include <QTest>

void PanelTest::SetUp() {
    services().desktop = &desktop;
    setProgramWindows(&windows);
    Options.Border = 0;
    Options.DisplayMMessage = false;
    Options.ShowOverviewDialog = false;
    Options.ShowEmptyDialog = true;
    QDir().mkpath(Options.PrivateMagicListPath);
    QDir().mkpath(Options.PublicMagicListPath);
}

void PanelTest::TearDown() {
    if (panel)
        panel->close();
    delete panel.data();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    setProgramWindows(nullptr);
    services().desktop = nullptr;
}

QString PanelTest::picture(const QString& name, int width, int height, QRgb colour) {
    return writeImage(env, QStringLiteral("pics/") + name + QStringLiteral(".png"), width, height,
                      QColor(colour));
}

void PanelTest::makeList(int count, int16_t active, int16_t placement, const QString& name) {
    ActiveMagicList = clsMagicList();
    ActiveMagicList.SetListName(name);
    ActiveMagicList.SetSchUpdateOption(3);
    for (int i = 0; i < count; ++i) {
        const QString entry = QString(QChar(u'A' + i % 26)) + (i >= 26 ? QString::number(i) : "");
        const QRgb colour = qRgb((i * 40) % 256, (i * 90) % 256, (i * 20 + 100) % 256);
        ActiveMagicList.AddItem(picture(entry, 64, 48, colour), int32_t(0x102030),
                                int16_t(placement));
    }
    if (count > 0)
        ActiveMagicList.SetActiveEntry(active);
    EXPECT_TRUE(ActiveMagicList.Save());
    BuildMagicListIndex();
}

QString PanelTest::writeOtherList(const QString& name, int count, bool isPublic) {
    clsMagicList other;
    other.SetListName(name);
    if (isPublic)
        other.SetPublic();
    for (int i = 0; i < count; ++i)
        other.AddItem(picture(name + QString::number(i), 32, 32, qRgb(200, 30 * i, 10)), int32_t(0),
                      int16_t(2));
    if (count > 0)
        other.SetActiveEntry(0);
    EXPECT_TRUE(other.Save());
    return other.GetFilePath();
}

frmMagicPanel* PanelTest::openPanel() {
    panel = new frmMagicPanel;
    panel->show();
    panel->activateWindow();
    settle();
    return panel;
}

void PanelTest::settle() {
    for (int i = 0; i < 4; ++i) {
        QApplication::sendPostedEvents();
        QApplication::processEvents();
        QTest::qWait(1);
    }
}

QList<int> PanelTest::viewSelection() const {
    QList<int> rows;
    for (const QModelIndex& i : entryList()->selectionModel()->selectedRows())
        rows << i.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

QList<int> PanelTest::flaggedEntries() const {
    QList<int> out;
    for (int16_t i = 0; i < ActiveMagicList.GetCount(); ++i)
        if (ActiveMagicList.GetEntrySelected(i))
            out << i;
    return out;
}

void PanelTest::clickRow(int row, Qt::KeyboardModifiers modifiers, Qt::MouseButton button) {
    QTreeView* view = entryList();
    const QRect r = view->visualRect(view->model()->index(row, 0));
    QTest::mouseClick(view->viewport(), button, modifiers, r.center());
}

void PanelTest::selectRows(const QList<int>& rows) {
    entryList()->clearSelection();
    for (int row : rows)
        clickRow(row, Qt::ControlModifier);
    settle();
}

void PanelTest::pressKey(int key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(entryList(), static_cast<Qt::Key>(key), modifiers);
}

QStringList PanelTest::entryNames() const {
    QStringList names;
    for (int16_t i = 0; i < ActiveMagicList.GetCount(); ++i)
        names << ActiveMagicList.GetEntryName(i);
    return names;
}

clsMagicList PanelTest::savedList() const {
    clsMagicList saved;
    saved.loadQuietly(ActiveMagicList.GetFilePath());
    return saved;
}
