#pragma once

#include <QColor>
#include <QImage>
#include <QImageIOHandler>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QRandomGenerator>
#include <QString>

// Smooth gradients with fine noise: compresses like a real photo.
inline QImage photoLike(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, width, height);
    gradient.setColorAt(0, QColor(30, 90, 160));
    gradient.setColorAt(0.5, QColor(230, 200, 120));
    gradient.setColorAt(1, QColor(40, 110, 50));
    painter.fillRect(image.rect(), gradient);
    painter.end();
    QRandomGenerator random(7);
    for (int y = 0; y < height; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int n = int(random.bounded(24)) - 12;
            const QRgb c = line[x];
            line[x] = qRgb(qBound(0, qRed(c) + n, 255), qBound(0, qGreen(c) + n, 255),
                           qBound(0, qBlue(c) + n, 255));
        }
    }
    return image;
}

// Writes such a photo, as JPEG unless another format is named; a
// transformation marks it to be turned as it is shown, as cameras do.
inline QString
writePhoto(const QString& path, const QImage& photo, const char* format = "jpeg",
           QImageIOHandler::Transformations turn = QImageIOHandler::TransformationNone) {
    QImageWriter writer(path, format);
    writer.setTransformation(turn);
    writer.write(photo);
    return path;
}
