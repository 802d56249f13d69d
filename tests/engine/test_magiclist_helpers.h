#pragma once

#include "engine/MagicList.h"
#include "tests/common/PictureKit.h"
#include "tests/common/TestEnvironment.h"

#include <QByteArray>
#include <QFile>
#include <QStringList>

// Small builders shared by the list tests.

inline QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A picture file under the test's folder; its bytes do not matter unless
// a test says so.
inline QString writePicture(const TestEnvironment& env, const QString& relative,
                            const QByteArray& bytes = QByteArray("picture")) {
    return env.writeFile(relative, bytes);
}

// Adds each path (which must exist) with the list's defaults.
inline void addAll(clsMagicList& list, const QStringList& paths) {
    for (const QString& p : paths)
        list.AddItem(p, -1, -1);
}

inline QStringList namesOf(const clsMagicList& list) {
    QStringList names;
    for (int16_t i = 0; i < list.GetCount(); ++i)
        names << list.GetEntryName(i);
    return names;
}
