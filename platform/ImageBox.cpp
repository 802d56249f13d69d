#include "platform/ImageBox.h"

#include <QImageIOHandler>
#include <QImageReader>

std::optional<QSize> ImageBox::orientedSize(const QString& path) {
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    QSize size = reader.size();
    if (!size.isValid())
        return std::nullopt;
    if (reader.transformation() & QImageIOHandler::TransformationRotate90)
        size.transpose();
    return size;
}
