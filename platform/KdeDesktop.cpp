#include "platform/KdeDesktop.h"

#include <QUrl>

namespace {

QString imageUri(const QString& picture) {
    return javaScriptString(QUrl::fromLocalFile(picture).toString(QUrl::FullyEncoded));
}

} // namespace

KdeDesktop::KdeDesktop(std::unique_ptr<PlasmaScripting> scripting, ComposedWallpaper::Layout layout)
    : scripting_(std::move(scripting)), composed_(std::move(layout)) {}

KdeDesktop::Settings KdeDesktop::settingsFor(const DesktopValues& values,
                                             const QList<ScreenPicture>& pictures) {
    Settings settings;
    const auto colour = [&] {
        if (values.background)
            settings.general.append(
                {QStringLiteral("Color"), javaScriptString(hexColour(*values.background))});
    };
    if (pictures.isEmpty()) {
        // The image plugin with no image shows Plasma's own wallpaper, not
        // the bare desktop colour.
        settings.plugin = QStringLiteral("org.kde.color");
        colour();
        return settings;
    }
    settings.plugin = QStringLiteral("org.kde.image");
    settings.general.append({QStringLiteral("FillMode"), QString::number(Stretch)});
    colour();
    // The picture last: its change is what makes the desktop redraw.
    if (pictures.size() == 1)
        settings.general.append({QStringLiteral("Image"), imageUri(pictures.first().second)});
    else
        settings.images = pictures;
    return settings;
}

QString KdeDesktop::scriptFor(const Settings& settings) {
    // The script prints nothing: whatever the shell answers is a complaint.
    QString script = QStringLiteral("var plugin = %1;\n").arg(javaScriptString(settings.plugin));
    if (!settings.images.isEmpty()) {
        // The shell numbers its screens its own way: they are matched by
        // where they are.
        script += QStringLiteral("var images = [\n");
        for (const auto& [screen, picture] : settings.images)
            script += QStringLiteral("    [%1, %2, %3, %4, %5],\n")
                          .arg(screen.x())
                          .arg(screen.y())
                          .arg(screen.width())
                          .arg(screen.height())
                          .arg(imageUri(picture));
        script += QStringLiteral(
            "];\n"
            "function imageOf(screen) {\n"
            "    var g = screen >= 0 ? screenGeometry(screen) : null;\n"
            "    for (var j = 0; g && j < images.length; ++j) {\n"
            "        var m = images[j];\n"
            "        if (g.x == m[0] && g.y == m[1] && g.width == m[2] && g.height == m[3])\n"
            "            return m[4];\n"
            "    }\n"
            "    return images[0][4];\n"
            "}\n");
    }
    script += QStringLiteral("var all = desktops();\n"
                             "if (all.length == 0)\n"
                             "    throw new Error(\"there is no desktop to show it on\");\n"
                             "for (var i = 0; i < all.length; ++i) {\n"
                             "    var d = all[i];\n"
                             "    d.wallpaperPlugin = plugin;\n"
                             "    d.currentConfigGroup = [\"Wallpaper\", plugin, "
                             "\"General\"];\n");
    for (const auto& [key, value] : settings.general)
        script += QStringLiteral("    d.writeConfig(%1, %2);\n").arg(javaScriptString(key), value);
    if (!settings.images.isEmpty())
        script += QStringLiteral("    d.writeConfig(\"Image\", imageOf(d.screen));\n");
    script += QStringLiteral("}\n");
    return script;
}

QString KdeDesktop::apply(const DesktopValues& values) {
    // Plasma keeps the picture it has when Image names the same file again;
    // the composed picture has a new name each time.
    const ComposedWallpaper::Result composed =
        composed_.handOver(values, ComposedWallpaper::Span::Each);
    if (!composed.error.isEmpty())
        return composed.error;
    QList<ScreenPicture> pictures;
    for (const auto& [monitor, picture] : composed.monitors)
        pictures.append({monitor.logical, picture});

    using Outcome = PlasmaScripting::Reply::Outcome;
    const PlasmaScripting::Reply reply =
        scripting_->evaluateScript(scriptFor(settingsFor(values, pictures)));
    if (reply.outcome == Outcome::Done && reply.output.trimmed().isEmpty()) {
        composed_.taken();
        return {};
    }
    if (reply.outcome == Outcome::NoAnswer) {
        // The shell may still read the picture: keep it.
        composed_.keep();
        return reply.error;
    }
    composed_.discard();
    return reply.outcome == Outcome::Done ? reply.output.trimmed() : reply.error;
}
