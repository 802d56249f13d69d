// Renders one picture file to a wallpaper bitmap, as the program does for
// an entry, and prints what it made, how long it took and the peak memory.
//
//   tool_render PICTURE OUT.bmp [--position N] [--border N] [--screen WxH]
//               [--rotation N] [--crop L,T,W,H] [--logo] [--repeat N]
//
// With --repeat the rendering runs N times in the same process; the first
// run also pays for loading the picture plugins, as the program does once.

#include "engine/Options.h"
#include "engine/ProgramState.h"
#include "engine/WallpaperRender.h"
#include "platform/Screen.h"
#include "platform/Services.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>
#include <QTextStream>
#include <algorithm>
#include <sys/resource.h>

namespace {

int usage() {
    QTextStream(stderr) << "usage: tool_render PICTURE OUT.bmp [--position N] [--border N] "
                           "[--screen WxH] [--rotation N] [--crop L,T,W,H] [--logo] [--repeat N]\n";
    return 2;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() < 2)
        return usage();
    const QString picture = args.takeFirst(), output = args.takeFirst();

    FixedScreen screen(1920, 1080);
    int16_t position = 4;
    int32_t rotation = 0, left = -1, top = 0, width = 0, height = 0;
    int repeat = 1;
    Options.DisplayMMessage = false;
    while (!args.isEmpty()) {
        const QString option = args.takeFirst();
        if (option == u"--logo") {
            Options.DisplayMMessage = true;
            continue;
        }
        if (args.isEmpty())
            return usage();
        const QString value = args.takeFirst();
        if (option == u"--position")
            position = int16_t(value.toInt());
        else if (option == u"--border")
            Options.Border = int16_t(value.toInt());
        else if (option == u"--repeat")
            repeat = std::max(1, value.toInt());
        else if (option == u"--rotation")
            rotation = value.toInt();
        else if (option == u"--screen") {
            const QStringList wh = value.split(u'x');
            if (wh.size() != 2)
                return usage();
            screen.width = wh[0].toInt();
            screen.height = wh[1].toInt();
        } else if (option == u"--crop") {
            const QStringList c = value.split(u',');
            if (c.size() != 4)
                return usage();
            left = c[0].toInt();
            top = c[1].toInt();
            width = c[2].toInt();
            height = c[3].toInt();
        } else {
            return usage();
        }
    }
    services().screen = &screen;

    QTextStream out(stdout);
    for (int run = 0; run < repeat; ++run) {
        QElapsedTimer timer;
        timer.start();
        frmLeadControl host;
        int16_t placement = position;
        int32_t turn = rotation;
        const int32_t code =
            BuildWallpaperImage(host, picture, placement, left, top, width, height, turn);
        const qint64 rendered = timer.elapsed();
        const int32_t saved = code == 0 ? host.LEAD1.save(output) : 0;
        const qint64 total = timer.elapsed();
        if (code != 0 || saved != 0) {
            out << "failed: render " << code << ", save " << saved << "\n";
            return 1;
        }
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        out << host.LEAD1.width() << " x " << host.LEAD1.height() << ", placement " << placement
            << ", loaded " << LoadedImageWidth << " x " << LoadedImageHeight << ": render "
            << rendered << " ms, with the bitmap " << total << " ms, peak "
            << usage.ru_maxrss / 1024 << " MB\n";
    }
    return 0;
}
