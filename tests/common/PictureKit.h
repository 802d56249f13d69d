#pragma once

#include "tests/common/TestEnvironment.h"

#include <QBuffer>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSize>
#include <cstdlib>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

// Pictures for the tests: written as files, and drawn so that pixels can be
// followed through turns, crops and scaling.

// A picture of one colour.
inline QImage solidImage(QSize size, const QColor& colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// Saves a picture, making its folder first, in the format its suffix names
// unless one is given; fails the test when it cannot. Returns the path.
inline QString saveImage(const QImage& image, const QString& path, const char* format = nullptr) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    EXPECT_TRUE(image.save(path, format)) << path.toStdString();
    return path;
}

// A PNG of one colour under the test's folder, for code that reads
// pictures and their sizes.
inline QString writeImage(const TestEnvironment& env, const QString& relative, int width,
                          int height, const QColor& colour = Qt::darkGreen) {
    return saveImage(solidImage(QSize(width, height), colour), env.path(relative), "PNG");
}

// A PNG under the test's folder whose name is not UTF-8 text: "bad", the
// byte 0xFF, "byte.png". Returns the file as a file manager's drop names
// it (a text/uri-list with the byte escaped), or nothing when the file
// system here takes no such name.
inline QByteArray writePictureWithNonUtf8Name(const TestEnvironment& env, const QString& folder) {
    QDir().mkpath(env.path(folder));
    const QByteArray path = QFile::encodeName(env.path(folder)) + "/bad\xff"
                                                                  "byte.png";
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    solidImage(QSize(8, 8), Qt::green).save(&buffer, "PNG");
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd < 0)
        return {};
    const bool written = ::write(fd, png.constData(), png.size()) == png.size();
    ::close(fd);
    return written ? "file://" + path.toPercentEncoding("/") + "\r\n" : QByteArray();
}

// Four quadrants of distinct colours, so that any wrong turn or offset shows.
inline QImage quadrants(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter p(&image);
    p.fillRect(0, 0, width / 2, height / 2, QColor(250, 0, 0));
    p.fillRect(width / 2, 0, width - width / 2, height / 2, QColor(0, 250, 0));
    p.fillRect(0, height / 2, width / 2, height - height / 2, QColor(0, 0, 250));
    p.fillRect(width / 2, height / 2, width - width / 2, height - height / 2,
               QColor(250, 250, 250));
    return image;
}

// The mean difference per colour channel of two pictures of one size.
inline double meanDifference(const QImage& a, const QImage& b) {
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row), q = y.pixel(col, row);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * x.width() * x.height());
}
