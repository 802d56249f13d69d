#include "platform/XfceDesktop.h"

#include "platform/ProcessRunner.h"

#include <QGuiApplication>
#include <QRegularExpression>
#include <QScreen>
#include <set>

namespace {

const QString kXfconfQuery = QStringLiteral("xfconf-query");
const QString kChannel = QStringLiteral("xfce4-desktop");

QStringList connectedMonitors() {
    QStringList names;
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        for (const QScreen* screen : QGuiApplication::screens())
            names << screen->name();
    }
    return names;
}

void appendOnce(QStringList& list, const QString& item) {
    if (!list.contains(item))
        list << item;
}

// The arguments that give one property of the channel a value of a type,
// creating it when it is missing.
QStringList setting(const QString& property, const QString& type, const QStringList& values) {
    QStringList arguments{QStringLiteral("-c"), kChannel, QStringLiteral("-p"), property,
                          QStringLiteral("-n")};
    for (int i = 0; i < values.size(); ++i)
        arguments << QStringLiteral("-t") << type;
    for (const QString& value : values)
        arguments << QStringLiteral("-s") << value;
    return arguments;
}

} // namespace

XfceDesktop::XfceDesktop(ProcessRunner& runner, MonitorNames monitors)
    : runner_(runner), monitors_(monitors ? std::move(monitors) : MonitorNames(connectedMonitors)) {
}

QStringList XfceDesktop::workspaceFolders(const QStringList& properties,
                                          const QStringList& monitors, int workspaceCount) {
    static const QRegularExpression folder(
        QStringLiteral("^/backdrop/screen(\\d+)/monitor([^/]+)/workspace(\\d+)/"));
    std::set<int> screens;
    QStringList monitorNames, existing;
    int workspaces = 0;
    for (const QString& property : properties) {
        const QRegularExpressionMatch m = folder.match(property);
        if (!m.hasMatch())
            continue;
        screens.insert(m.captured(1).toInt());
        appendOnce(monitorNames, m.captured(2));
        workspaces = std::max(workspaces, m.captured(3).toInt() + 1);
        appendOnce(existing, m.captured(0).chopped(1));
    }
    for (const QString& monitor : monitors)
        appendOnce(monitorNames, monitor);
    // A desktop that was never set up has no settings yet; the oldest
    // desktops name their only monitor "0".
    if (monitorNames.isEmpty())
        monitorNames << QStringLiteral("0");
    // The desktop has had one screen for years; older ones may have more.
    screens.insert(0);
    if (workspaceCount > 0)
        workspaces = workspaceCount;
    workspaces = std::max(workspaces, 1);

    QStringList folders;
    for (const int screen : screens)
        for (const QString& monitor : monitorNames)
            for (int workspace = 0; workspace < workspaces; ++workspace)
                folders << QStringLiteral("/backdrop/screen%1/monitor%2/workspace%3")
                               .arg(screen)
                               .arg(monitor)
                               .arg(workspace);
    for (const QString& f : existing)
        appendOnce(folders, f);
    return folders;
}

QString XfceDesktop::query(const QStringList& arguments, QByteArray* output) {
    return runner_.runChecked(kXfconfQuery, arguments, output);
}

QString XfceDesktop::apply(const DesktopValues& values) {
    // The desktop does not reload a last-image that names the same file
    // again, so it is given the alternating copy instead of the bitmap.
    const ReloadAlias::Result copy = alias_.handOver(values);
    if (!copy.error.isEmpty())
        return copy.error;
    const QString& picture = copy.path;

    QByteArray listing;
    if (QString problem = query({QStringLiteral("-c"), kChannel, QStringLiteral("-l")}, &listing);
        !problem.isEmpty()) {
        alias_.discard();
        return problem;
    }
    // The window manager keeps the workspace count; without it (another
    // window manager), the workspaces the desktop already has settings for.
    QByteArray count;
    int workspaceCount = 0;
    if (query({QStringLiteral("-c"), QStringLiteral("xfwm4"), QStringLiteral("-p"),
               QStringLiteral("/general/workspace_count")},
              &count)
            .isEmpty())
        workspaceCount = std::max(0, QString::fromUtf8(count).trimmed().toInt());
    const QStringList folders = workspaceFolders(
        QString::fromUtf8(listing).split(u'\n', Qt::SkipEmptyParts), monitors_(), workspaceCount);

    const int style = picture.isEmpty()   ? None
                      : values.tile       ? Tiled
                      : values.style == 2 ? Stretched
                                          : Centred;
    QStringList colour;
    if (values.background) {
        const quint32 c = quint32(*values.background);
        for (const int shift : {0, 8, 16})
            colour << QString::number(((c >> shift) & 0xff) / 255.0);
        colour << QStringLiteral("1");
    }
    QList<QStringList> changes;
    for (const QString& f : folders) {
        changes << setting(f + QStringLiteral("/color-style"), QStringLiteral("int"),
                           {QStringLiteral("0")});
        if (!colour.isEmpty())
            changes << setting(f + QStringLiteral("/rgba1"), QStringLiteral("double"), colour);
        changes << setting(f + QStringLiteral("/image-style"), QStringLiteral("int"),
                           {QString::number(style)});
    }
    // The pictures last: each change of one redraws that background.
    const qsizetype firstPicture = changes.size();
    if (!picture.isEmpty())
        for (const QString& f : folders)
            changes << setting(f + QStringLiteral("/last-image"), QStringLiteral("string"),
                               {picture});

    for (qsizetype i = 0; i < changes.size(); ++i) {
        if (QString problem = query(changes[i]); !problem.isEmpty()) {
            // A background that already took the copy keeps showing it.
            if (i > firstPicture)
                alias_.commit();
            else
                alias_.discard();
            return problem;
        }
    }
    alias_.taken();
    return {};
}
