#pragma once

#include <QSize>
#include <QString>
#include <optional>

// The program's one picture loader and editor.
class ImageBox {
public:
    // The size of the picture in a file as it will be shown (orientation
    // applied), without decoding it; nothing when it cannot be read.
    static std::optional<QSize> orientedSize(const QString& path);
};
