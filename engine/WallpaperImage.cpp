#include "engine/WallpaperImage.h"

#include "engine/BusyPointer.h"
#include "engine/ErrorWindow.h"
#include "engine/FileRoutines.h"
#include "engine/INIFuncs.h"
#include "engine/Options.h"
#include "engine/ProgramState.h"
#include "engine/WallpaperPlacement.h"
#include "engine/WallpaperRender.h"
#include "platform/Desktop.h"
#include "platform/ImageBox.h"
#include "platform/Registry.h"
#include "platform/Screen.h"
#include "platform/Services.h"
#include "runtime/RuntimeError.h"

#include <QStringList>
#include <functional>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

const QString kDesktopKey = QStringLiteral("Control Panel\\Desktop");
const QString kColorsKey = QStringLiteral("Control Panel\\Colors");
const QString kLastFileKey = QStringLiteral("Software\\SetWallPaper\\Options");

// A rendering frees tens of megabytes that the allocator would keep for
// itself; the program then idles for minutes or hours, so it gives them
// back to the system.
class GiveMemoryBack {
public:
    GiveMemoryBack() = default;
    ~GiveMemoryBack() {
#ifdef __GLIBC__
        malloc_trim(0);
#endif
    }
    GiveMemoryBack(const GiveMemoryBack&) = delete;
    GiveMemoryBack& operator=(const GiveMemoryBack&) = delete;
};

QString storedDesktopValue(const QString& key, const QString& name) {
    return services().registry->value(Hive::CurrentUser, key, name).value_or(QString());
}

void saveDesktopValue(const QString& key, const QString& name, const QString& value) {
    SaveRegString(key, name, value, true, REG_SZ);
}

struct TilingValues {
    QString tile, style; // TileWallpaper, WallPaperStyle
};

// The desktop's tiling values for the placement actually used. Centred
// whenever a border is set and for best fit, since the picture then already
// has its final size. A code we do not know leaves the desktop's values
// alone: none.
std::optional<TilingValues> tilingValuesFor(int16_t position) {
    QString tile = QStringLiteral("0"), style = QStringLiteral("0");
    if (Options.Border == 0) {
        switch (position) {
        case placement::Tile:
            tile = QStringLiteral("1");
            break;
        case placement::Stretch:
            style = QStringLiteral("2");
            break;
        case placement::Automatic:
        case placement::Centre:
        case placement::BestFit:
            break;
        default:
            return std::nullopt;
        }
    }
    return TilingValues{tile, style};
}

// What the desktop is to show: the new values, and the stored ones where
// there is no new one. The bitmap's path goes along also without a
// wallpaper, so that a desktop can clear the pictures it made of it.
DesktopValues desktopValuesFor(const QString& wallpaper, const QString& bitmap,
                               const std::optional<TilingValues>& tiling, int32_t colour) {
    const TilingValues t = tiling.value_or(
        TilingValues{storedDesktopValue(kDesktopKey, QStringLiteral("TileWallpaper")),
                     storedDesktopValue(kDesktopKey, QStringLiteral("WallPaperStyle"))});
    DesktopValues values;
    values.wallpaperPath = wallpaper;
    values.bitmapPath = bitmap;
    values.tile = t.tile == u"1";
    values.style = t.style == u"2" ? 2 : 0;
    values.background =
        colour != -1
            ? std::optional<int32_t>(colour)
            : parseBackgroundText(storedDesktopValue(kColorsKey, QStringLiteral("Background")));
    return values;
}

// Hands the values to the session; a refusal is told once per run and
// never counted as a change, and neither is a desktop that is not there.
bool applyToDesktop(const DesktopValues& values) {
    Desktop* desktop = services().desktop;
    if (!desktop)
        return false;
    const QString problem = desktop->apply(values);
    if (problem.isEmpty())
        return true;
    if (!ThisRun.desktopFailureReported) {
        ThisRun.desktopFailureReported = true;
        ShowErrorMessage(QStringLiteral("Can not set Wallpaper Image\r\n") + desktop->name() +
                             QStringLiteral(": ") + problem,
                         0, QString());
    }
    return false;
}

// The entry rendered again as for a monitor of another size than the
// primary screen's, which the bitmap was rendered for: what the desktop
// places on that monitor.
std::function<QImage(QSize)> monitorRenderer(const QString& path, int16_t position, int32_t left,
                                             int32_t top, int32_t width, int32_t height,
                                             int32_t rotation) {
    const QSize primary(services().screen->widthPixels(), services().screen->heightPixels());
    return [=](QSize monitor) {
        if (monitor == primary)
            return QImage();
        frmLeadControl host;
        host.monitor = monitor;
        int16_t placed = position;
        int32_t turned = rotation;
        if (BuildWallpaperImage(host, path, placed, left, top, width, height, turned) != 0)
            return QImage();
        return host.LEAD1.image();
    };
}

} // namespace

QString wallpaperBitmapPath() {
    return GetSpecialFolderPath(0, 5) + QStringLiteral("ZOZ.bmp");
}

QString backgroundText(int32_t colour) {
    const quint32 c = quint32(colour);
    return QStringLiteral("%1 %2 %3").arg(c & 0xff).arg((c >> 8) & 0xff).arg((c >> 16) & 0xff);
}

std::optional<int32_t> parseBackgroundText(const QString& text) {
    const QStringList parts = text.simplified().split(u' ');
    if (parts.size() != 3)
        return std::nullopt;
    int32_t colour = 0;
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        const int value = parts[i].toInt(&ok);
        if (!ok || value < 0 || value > 255)
            return std::nullopt;
        colour |= value << (8 * i);
    }
    return colour;
}

int32_t SetWallpaperImage(const QString& path, int16_t& position, int32_t colour, int32_t left,
                          int32_t top, int32_t width, int32_t height, int32_t& rotation) {
    const GiveMemoryBack afterwards;
    const BusyPointer busy;
    try {
        const QString bitmap = wallpaperBitmapPath();
        const std::function<QImage(QSize)> forMonitor =
            path.isEmpty() ? nullptr
                           : monitorRenderer(path, position, left, top, width, height, rotation);
        if (!path.isEmpty()) {
            frmLeadControl host;
            const int32_t code =
                BuildWallpaperImage(host, path, position, left, top, width, height, rotation);
            if (code != 0)
                return code;
            if (const int32_t saved = host.LEAD1.save(bitmap))
                raiseError(saved);
        }
        // From the placement the renderer settled on; recorded only once the
        // desktop has taken them, so that a failed rendering or a desktop
        // that refuses leaves every desktop value as it was.
        const QString wallpaper = path.isEmpty() ? QString() : bitmap;
        const std::optional<TilingValues> tiling = tilingValuesFor(position);
        DesktopValues values = desktopValuesFor(wallpaper, bitmap, tiling, colour);
        values.bitmapFor = forMonitor;
        if (!applyToDesktop(values))
            return kWallpaperFailureShown;
        if (tiling) {
            saveDesktopValue(kDesktopKey, QStringLiteral("TileWallpaper"), tiling->tile);
            saveDesktopValue(kDesktopKey, QStringLiteral("WallPaperStyle"), tiling->style);
        }
        saveDesktopValue(kDesktopKey, QStringLiteral("Wallpaper"), wallpaper);
        SaveRegString(kLastFileKey, QStringLiteral("LastFile"), path, true, REG_SZ);
        if (colour != -1)
            saveDesktopValue(kColorsKey, QStringLiteral("Background"), backgroundText(colour));
        return 0;
    } catch (const RuntimeError& e) {
        const QString text =
            e.description().isEmpty() ? standardErrorText(e.number()) : e.description();
        ShowErrorMessage(text, 0, QString());
        return kWallpaperFailureShown;
    }
}

QString GetImageErrorText(int32_t code) {
    switch (code) {
    case imgerr::InvalidFormat:
        return QStringLiteral("Invalid File Format");
    case imgerr::FileNotFound:
        return QStringLiteral("File Not Found");
    case imgerr::TooLarge:
        return QStringLiteral("Picture Too Large (at most 32767 pixels a side and 200 million "
                              "pixels in all)");
    default:
        return standardErrorText(code);
    }
}
