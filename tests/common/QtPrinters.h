#pragma once

#include <QString>
#include <QStringList>
#include <ostream>

// Readable failures for Qt strings. Every test sees these through
// TestEnvironment.h, so that all of them print a string the same way.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& list, std::ostream* os) {
    *os << '[' << list.join(QStringLiteral(", ")).toStdString() << ']';
}
