#include "panel/PanelResources.h"

#include <QImageReader>

// The registration macro has to be used outside any namespace.
void initPanelResources() {
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    Q_INIT_RESOURCE(panel);
    Q_INIT_RESOURCE(lists);
}

namespace {

// Both drawings, each at its own size, so that a screen that scales by 2
// gets the one drawn for it whatever the scale the program started at.
QIcon atBothScales(const QString& base) {
    initPanelResources();
    QIcon icon;
    for (const QString& file : {base + QStringLiteral(".png"), base + QStringLiteral("@2x.png")})
        icon.addFile(file, QImageReader(file).size());
    return icon;
}

} // namespace

QIcon panelPicture(const QString& name) {
    return atBothScales(QStringLiteral(":/panel/") + name);
}

QIcon listPicture(const QString& name) {
    return atBothScales(QStringLiteral(":/lists/") + name);
}
