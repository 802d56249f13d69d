#include "platform/XfceDesktop.h"

#include "platform/ProcessRunner.h"

#include <QHash>
#include <QRegularExpression>
#include <set>

namespace {

const QString kXfconfQuery = QStringLiteral("xfconf-query");
const QString kChannel = QStringLiteral("xfce4-desktop");

const QRegularExpression& folderPattern() {
    static const QRegularExpression folder(
        QStringLiteral("^/backdrop/screen(\\d+)/monitor([^/]+)/workspace(\\d+)"));
    return folder;
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

XfceDesktop::XfceDesktop(ProcessRunner& runner, ComposedWallpaper::Layout layout)
    : runner_(runner), composed_(std::move(layout)) {}

QStringList XfceDesktop::workspaceFolders(const QStringList& properties,
                                          const QStringList& monitors, int workspaceCount) {
    const QRegularExpression& folder = folderPattern();
    std::set<int> screens;
    QStringList monitorNames, existing;
    int workspaces = 0;
    for (const QString& property : properties) {
        const QRegularExpressionMatch m = folder.match(property);
        if (!m.hasMatch() || property.mid(m.capturedEnd(0), 1) != u"/")
            continue;
        screens.insert(m.captured(1).toInt());
        appendOnce(monitorNames, m.captured(2));
        workspaces = std::max(workspaces, m.captured(3).toInt() + 1);
        appendOnce(existing, m.captured(0));
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
    // again, so every change is handed over under new names.
    const ComposedWallpaper::Result composed =
        composed_.handOver(values, ComposedWallpaper::Span::Each);
    if (!composed.error.isEmpty())
        return composed.error;
    // Each monitor's picture under each of its names; a monitor the channel
    // knows by a name no monitor has now gets the primary's.
    QStringList names;
    QHash<QString, QString> pictureOf;
    for (const auto& [monitor, picture] : composed.monitors)
        for (const QString& name : monitor.names)
            if (!name.isEmpty() && !pictureOf.contains(name)) {
                names << name;
                pictureOf.insert(name, picture);
            }
    const QString& primaryPicture = composed.path;

    QByteArray listing;
    if (QString problem = query({QStringLiteral("-c"), kChannel, QStringLiteral("-l")}, &listing);
        !problem.isEmpty()) {
        composed_.discard();
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
    if (names.isEmpty())
        for (const Monitor& m : composed.layout)
            names << m.names;
    const QStringList folders = workspaceFolders(
        QString::fromUtf8(listing).split(u'\n', Qt::SkipEmptyParts), names, workspaceCount);

    const int style = primaryPicture.isEmpty() ? None : Stretched;
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
    if (!primaryPicture.isEmpty())
        for (const QString& f : folders) {
            const QString monitor = folderPattern().match(f).captured(2);
            changes << setting(f + QStringLiteral("/last-image"), QStringLiteral("string"),
                               {pictureOf.value(monitor, primaryPicture)});
        }

    for (qsizetype i = 0; i < changes.size(); ++i) {
        if (QString problem = query(changes[i]); !problem.isEmpty()) {
            // A background that already took its picture keeps showing it.
            if (i > firstPicture)
                composed_.keep();
            else
                composed_.discard();
            return problem;
        }
    }
    composed_.taken();
    return {};
}
