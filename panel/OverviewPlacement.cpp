#include "panel/OverviewPlacement.h"

#include <algorithm>

int16_t clampOverviewTopic(int16_t topic) {
    return std::clamp<int16_t>(topic, 1, kOverviewTopics);
}

OverviewPicture topicPicture(int16_t topic) {
    static constexpr OverviewPicture kPictures[kOverviewTopics] = {
        {1, false}, {2, true},  {3, false}, {3, false},
        {4, false}, {5, false}, {6, true},  {7, false},
    };
    return kPictures[clampOverviewTopic(topic) - 1];
}

QPoint overviewPicturePosition(QSize panel, QSize picture, bool atBottom) {
    const int left = panel.width() - picture.width() - 200;
    const int top = atBottom ? panel.height() - picture.height() - 200
                             : (panel.height() - 900 - picture.height()) / 2 + 900;
    return {left, top};
}

std::optional<QPoint> overviewWindowPosition(int32_t formLeft, int32_t formTop, QSize window,
                                             QSize screen) {
    if (formLeft == 0 && formTop == 0)
        return std::nullopt;
    // In 64 bits: a position near the end of the range must not wrap.
    int64_t top = formTop;
    int64_t left = formLeft;
    if (top + window.height() > screen.height())
        top = int64_t(screen.height()) - window.height();
    if (left + window.width() > screen.width())
        left = int64_t(screen.width()) - window.width();
    return QPoint(static_cast<int>(left), static_cast<int>(top));
}
