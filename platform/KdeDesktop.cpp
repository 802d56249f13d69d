#include "platform/KdeDesktop.h"

#include <QUrl>

KdeDesktop::KdeDesktop(std::unique_ptr<PlasmaScripting> scripting,
                       ComposedWallpaper::ScreenSize screenSize)
    : scripting_(std::move(scripting)), composed_(std::move(screenSize)) {}

KdeDesktop::Settings KdeDesktop::settingsFor(const DesktopValues& values, const QString& picture) {
    Settings settings;
    const auto colour = [&] {
        if (values.background)
            settings.general.append(
                {QStringLiteral("Color"), javaScriptString(hexColour(*values.background))});
    };
    if (picture.isEmpty()) {
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
    settings.general.append(
        {QStringLiteral("Image"),
         javaScriptString(QUrl::fromLocalFile(picture).toString(QUrl::FullyEncoded))});
    return settings;
}

QString KdeDesktop::scriptFor(const Settings& settings) {
    // The script prints nothing: whatever the shell answers is a complaint.
    QString script = QStringLiteral("var plugin = %1;\n"
                                    "var all = desktops();\n"
                                    "if (all.length == 0)\n"
                                    "    throw new Error(\"there is no desktop to show it on\");\n"
                                    "for (var i = 0; i < all.length; ++i) {\n"
                                    "    var d = all[i];\n"
                                    "    d.wallpaperPlugin = plugin;\n"
                                    "    d.currentConfigGroup = [\"Wallpaper\", plugin, "
                                    "\"General\"];\n")
                         .arg(javaScriptString(settings.plugin));
    for (const auto& [key, value] : settings.general)
        script += QStringLiteral("    d.writeConfig(%1, %2);\n").arg(javaScriptString(key), value);
    script += QStringLiteral("}\n");
    return script;
}

QString KdeDesktop::apply(const DesktopValues& values) {
    // Plasma keeps the picture it has when Image names the same file again;
    // the composed picture has a new name each time.
    const ComposedWallpaper::Result composed = composed_.handOver(values);
    if (!composed.error.isEmpty())
        return composed.error;
    const QString& picture = composed.path;

    using Outcome = PlasmaScripting::Reply::Outcome;
    const PlasmaScripting::Reply reply =
        scripting_->evaluateScript(scriptFor(settingsFor(values, picture)));
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
