#include "panel/ListResources.h"

// The registration macro has to be used outside any namespace.
void initListResources() {
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    Q_INIT_RESOURCE(lists);
}

QIcon listPicture(const QString& name) {
    initListResources();
    QIcon icon;
    const QString base = QStringLiteral(":/lists/") + name;
    icon.addFile(base + QStringLiteral(".png"));
    icon.addFile(base + QStringLiteral("@2x.png"));
    return icon;
}
