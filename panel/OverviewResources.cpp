#include "panel/OverviewResources.h"

#include <QGuiApplication>
#include <QIcon>
#include <QImageReader>

// The registration macro has to be used outside any namespace.
void initOverviewResources() {
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    Q_INIT_RESOURCE(overview);
}

QPixmap overviewPixmap(const QString& name) {
    initOverviewResources();
    const QString single = QStringLiteral(":/overview/") + name + QStringLiteral(".png");
    const QString twice = QStringLiteral(":/overview/") + name + QStringLiteral("@2x.png");
    const QSize size = QImageReader(single).size();
    QIcon icon;
    icon.addFile(single, size);
    icon.addFile(twice, QImageReader(twice).size());
    return icon.pixmap(size, qGuiApp ? qGuiApp->devicePixelRatio() : 1.0);
}
