#include "platform/PcmanfmDesktop.h"

#include "platform/ProcessRunner.h"

#include <utility>

PcmanfmDesktop::PcmanfmDesktop(Variant variant, ProcessRunner& runner,
                               ComposedWallpaper::Layout layout)
    : variant_(variant), runner_(runner), composed_(std::move(layout)) {}

QString PcmanfmDesktop::name() const {
    return variant_ == Variant::LXQt ? QStringLiteral("LXQt") : QStringLiteral("LXDE");
}

QString PcmanfmDesktop::programOf(Variant variant) {
    return variant == Variant::LXQt ? QStringLiteral("pcmanfm-qt") : QStringLiteral("pcmanfm");
}

QString PcmanfmDesktop::apply(const DesktopValues& values) {
    const bool lxqt = variant_ == Variant::LXQt;
    const ComposedWallpaper::Result composed = composed_.prepare(
        values, lxqt ? ComposedWallpaper::Span::Primary : ComposedWallpaper::Span::Layout);
    if (!composed.error.isEmpty())
        return composed.error;
    // Its "screen" mode spans the picture over the whole X screen; with one
    // monitor, stretching is the same and older versions know it.
    const bool spanned = !lxqt && composed.layout.size() > 1;
    // Cleared before this run showed any picture: there is no folder for
    // one, and the desktop's own colour has to do.
    const QStringList arguments =
        composed.path.isEmpty() ? QStringList{QStringLiteral("--wallpaper-mode=color")}
                                : QStringList{QStringLiteral("--set-wallpaper=") + composed.path,
                                              spanned ? QStringLiteral("--wallpaper-mode=screen")
                                                      : QStringLiteral("--wallpaper-mode=stretch")};
    if (QString problem = runner_.runChecked(programOf(variant_), arguments); !problem.isEmpty()) {
        composed_.discard();
        return problem;
    }
    composed_.taken();
    return {};
}
