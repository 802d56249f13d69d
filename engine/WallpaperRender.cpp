#include "engine/WallpaperRender.h"

#include "engine/Options.h"
#include "engine/ProgramResources.h"
#include "engine/ProgramState.h"
#include "engine/WallpaperPlacement.h"
#include "runtime/RuntimeError.h"

#include <new>

static QImage logoPicture() {
    initProgramResources();
    static const QImage logo =
        QImage(QStringLiteral(":/wallpaper/logo.bmp")).convertToFormat(QImage::Format_RGB32);
    return logo;
}

namespace {

// The logo's see-through colour: pure blue.
constexpr QRgb kLogoKey = 0xff0000ffu;

AvailableArea areaFor(const frmLeadControl& host) {
    return host.monitor.isEmpty()
               ? currentAvailableArea()
               : availableArea(host.monitor.width(), host.monitor.height(), Options.Border);
}

void place(frmLeadControl& host, int16_t position) {
    if (position == placement::BestFit) {
        PlaceImageBestFit(host);
        return;
    }
    // With no border the desktop itself tiles, centres or stretches.
    if (Options.Border == 0)
        return;
    switch (position) {
    case placement::Stretch:
        PlaceImageStretched(host);
        break;
    case placement::Centre:
        PlaceImageCentered(host);
        break;
    case placement::Tile:
        PlaceImageTiled(host);
        break;
    default:
        break;
    }
}

// Every step one at a time on the whole decoded picture: for files whose
// size cannot be read up front.
int32_t renderStepByStep(frmLeadControl& host, const QString& path, int16_t& position,
                         const std::optional<QRect>& crop, int32_t turn) {
    if (const int32_t code = host.LEAD1.load(path))
        return code;
    LoadedImageWidth = host.LEAD1.width();
    LoadedImageHeight = host.LEAD1.height();
    host.LEAD1.rotate(turn);
    if (crop)
        host.LEAD1.crop(*crop);
    if (position == placement::Automatic)
        position = ChooseAutoPosition(host);
    place(host, position);
    return 0;
}

// Plans from the file's size and decodes only what the result needs, at
// the result's size when that is smaller.
int32_t renderPlanned(frmLeadControl& host, const QString& path, QSize shown, int16_t& position,
                      const std::optional<QRect>& crop, int32_t turn) {
    const WallpaperPlan plan =
        planWallpaper(shown, turn, crop, position, Options.Border, areaFor(host));
    if (const int32_t code = host.LEAD1.load(path, ImageRequest{turn, plan.region, plan.size}))
        return code;
    LoadedImageWidth = shown.width();
    LoadedImageHeight = shown.height();
    position = plan.position;
    if (plan.tile)
        PlaceImageTiled(host);
    return 0;
}

void drawLogo(frmLeadControl& host) {
    host.LEAD2.setImage(host.picLogo);
    const int32_t dx = host.LEAD1.width() - host.LEAD2.width();
    const int32_t dy = host.LEAD1.height() - host.LEAD2.height();
    if (dx >= 1 && dy >= 1)
        OverlayLogo(host, dx, dy, host.LEAD2.width(), host.LEAD2.height());
}

} // namespace

frmLeadControl::frmLeadControl() : picLogo(logoPicture()) {}

int32_t BuildWallpaperImage(frmLeadControl& host, const QString& path, int16_t& position,
                            int32_t left, int32_t top, int32_t width, int32_t height,
                            int32_t& rotation) {
    try {
        const int32_t turn = quarterTurnOrZero(rotation);
        std::optional<QRect> crop;
        if (left != -1)
            crop = QRect(left, top, width, height);
        const std::optional<QSize> shown = ImageBox::orientedSize(path);
        const int32_t code = shown && !shown->isEmpty()
                                 ? renderPlanned(host, path, *shown, position, crop, turn)
                                 : renderStepByStep(host, path, position, crop, turn);
        if (code != 0)
            return code;
        if (host.LEAD1.isNull())
            return vberr::OutOfMemory;
        if (Options.DisplayMMessage)
            drawLogo(host);
        return 0;
    } catch (const RuntimeError& e) {
        return e.number();
    } catch (const std::bad_alloc&) {
        return vberr::OutOfMemory;
    }
}

void PlaceImageBestFit(frmLeadControl& host) {
    const QSize size = bestFitSize(host.LEAD1.image().size(), areaFor(host));
    host.LEAD1.resize(size.width(), size.height());
}

void PlaceImageStretched(frmLeadControl& host) {
    const AvailableArea area = areaFor(host);
    host.LEAD1.resize(area.width, area.height);
}

void PlaceImageCentered(frmLeadControl& host) {
    host.LEAD1.crop(centredCut(host.LEAD1.image().size(), areaFor(host)));
}

void PlaceImageTiled(frmLeadControl& host) {
    const AvailableArea area = areaFor(host);
    const int32_t w = host.LEAD1.width(), h = host.LEAD1.height();
    if (w < 1 || h < 1)
        return;
    if (w >= area.width && h >= area.height) {
        host.LEAD1.crop(QRect(0, 0, area.width, area.height));
        return;
    }
    host.LEAD2.create(area.width, area.height);
    for (int32_t y = 0; y <= area.height; y += h)
        for (int32_t x = 0; x <= area.width; x += w)
            host.LEAD2.combine(x, y, w, h, host.LEAD1.image(), 0, 0);
    host.LEAD1.setImage(host.LEAD2.takeImage());
}

int16_t ChooseAutoPosition(frmLeadControl& host) {
    return autoPositionFor(host.LEAD1.image().size(), areaFor(host));
}

void OverlayLogo(frmLeadControl& host, int32_t dx, int32_t dy, int32_t logoWidth,
                 int32_t logoHeight) {
    for (int32_t x = 0; x < logoWidth; ++x)
        for (int32_t y = 0; y < logoHeight; ++y) {
            const QRgb c = host.LEAD2.pixel(x, y) | 0xff000000u;
            if (c != kLogoKey)
                host.LEAD1.setPixel(dx + x, dy + y, c);
        }
}
