#include "platform/PcmanfmDesktop.h"

#include "platform/ProcessRunner.h"

#include <utility>

PcmanfmDesktop::PcmanfmDesktop(Variant variant, ProcessRunner& runner,
                               ComposedWallpaper::ScreenSize screenSize)
    : variant_(variant), runner_(runner), composed_(std::move(screenSize)) {}

QString PcmanfmDesktop::name() const {
    return variant_ == Variant::LXQt ? QStringLiteral("LXQt") : QStringLiteral("LXDE");
}

QString PcmanfmDesktop::programOf(Variant variant) {
    return variant == Variant::LXQt ? QStringLiteral("pcmanfm-qt") : QStringLiteral("pcmanfm");
}

QString PcmanfmDesktop::apply(const DesktopValues& values) {
    const ComposedWallpaper::Result composed = composed_.prepare(values);
    if (!composed.error.isEmpty())
        return composed.error;
    // Cleared before this run showed any picture: there is no folder for
    // one, and the desktop's own colour has to do.
    const QStringList arguments =
        composed.path.isEmpty() ? QStringList{QStringLiteral("--wallpaper-mode=color")}
                                : QStringList{QStringLiteral("--set-wallpaper=") + composed.path,
                                              QStringLiteral("--wallpaper-mode=stretch")};
    if (QString problem = runner_.runChecked(programOf(variant_), arguments); !problem.isEmpty()) {
        composed_.discard();
        return problem;
    }
    composed_.taken();
    return {};
}
