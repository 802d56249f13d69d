#pragma once

#include <QPoint>
#include <QSize>
#include <cstdint>
#include <optional>

// The overview's arithmetic, in twips.

constexpr int16_t kOverviewTopics = 8;

// A topic brought into 1..8.
int16_t clampOverviewTopic(int16_t topic);

// The picture a topic shows (1 to 7) and whether it sits at the bottom of
// the page panel rather than centred in the part below the banner.
struct OverviewPicture {
    int16_t index;
    bool atBottom;
};
OverviewPicture topicPicture(int16_t topic);

// Where a topic's picture goes in the page panel: against its right side,
// centred below the top 900 twips or at the bottom.
QPoint overviewPicturePosition(QSize panel, QSize picture, bool atBottom);

// Where the window goes for the wanted position: nothing when both are 0
// (the window is then centred); otherwise the position, pulled back so
// that the window's right and bottom edges stay on the screen.
std::optional<QPoint> overviewWindowPosition(int32_t formLeft, int32_t formTop, QSize window,
                                             QSize screen);
