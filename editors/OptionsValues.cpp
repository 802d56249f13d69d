#include "editors/OptionsValues.h"

#include "platform/Screen.h"
#include "runtime/Conversions.h"

#include <algorithm>

int16_t maximumBorder(const Screen& screen) {
    const double width = double(screen.widthTwips()) / screen.twipsPerPixelX();
    const double height = double(screen.heightTwips()) / screen.twipsPerPixelY();
    return std::min(cInt(width / 2), cInt(height / 2));
}

QString borderTooLargeMessage(int16_t limit) {
    return QStringLiteral("Your Border is to large for your screen.  The maximum border size is ") +
           QString::number(limit) + u'.';
}
