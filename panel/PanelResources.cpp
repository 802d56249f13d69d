#include "panel/PanelResources.h"

#include <QImageReader>

// The registration macro has to be used outside any namespace.
void initPanelResources() {
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    Q_INIT_RESOURCE(panel);
}

QIcon panelPicture(const QString& name) {
    initPanelResources();
    // Both drawings, each at its own size, so that a screen that scales by
    // 2 gets the one drawn for it whatever the scale the program started at.
    QIcon icon;
    for (const QString& file : {QStringLiteral(":/panel/") + name + QStringLiteral(".png"),
                                QStringLiteral(":/panel/") + name + QStringLiteral("@2x.png")})
        icon.addFile(file, QImageReader(file).size());
    return icon;
}
