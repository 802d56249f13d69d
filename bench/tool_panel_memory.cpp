// Whether the control panel gives its memory back: after a warm-up opening,
// ten cycles of opening the panel from the tray on a list of 1,000 photos,
// previewing 50 of them by selecting each in turn, and closing it. Prints
// the program's resident memory after the warm-up and after each cycle;
// each must stay within 5 MB of the first.
//
//   tool_panel_memory [CYCLES]

#include "bench/PanelBench.h"

#include <QFile>
#include <QItemSelectionModel>
#include <QTreeView>
#include <cstdio>

namespace {

long residentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

// Opens the panel, shows 50 photos one after the other as a user selecting
// them does, and closes it.
int cycle() {
    frmMagicPanel* panel = PanelBench::openFromTray();
    QTreeView* list = panel->lvEntries;
    for (int row = 0; row < 50; ++row) {
        list->selectionModel()->select(list->model()->index(row, 0),
                                       QItemSelectionModel::ClearAndSelect);
        while (panel->previewPending())
            QApplication::processEvents();
    }
    panel->repaint();
    const int renders = panel->previewRenders();
    PanelBench::close(panel);
    return renders;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const int cycles = argc > 1 ? std::atoi(argv[1]) : 10;
    PanelBench bench;
    QStringList photos;
    for (int i = 0; i < 10; ++i)
        photos << bench.photo(QStringLiteral("photo%1.jpg").arg(i), 4000, 3000);
    PanelBench::fillList(photos, 1000);

    cycle();
    const long base = residentKb();
    std::printf("resident after a warm-up opening: %.1f MB\n", base / 1024.0);
    long worst = 0;
    for (int i = 1; i <= cycles; ++i) {
        const int renders = cycle();
        const long kb = residentKb();
        worst = std::max(worst, kb - base);
        std::printf("after cycle %d (open, %d previews drawn, close): %.1f MB (%+.1f MB)\n", i,
                    renders, kb / 1024.0, (kb - base) / 1024.0);
    }
    std::printf("largest growth over the warm-up: %.1f MB (limit 5 MB)%s\n", worst / 1024.0,
                worst <= 5 * 1024 ? "" : "  ** over the limit **");
    if (bench.errors.count != 0)
        std::printf("%d error windows came up\n", bench.errors.count);
    return worst <= 5 * 1024 ? 0 : 1;
}
