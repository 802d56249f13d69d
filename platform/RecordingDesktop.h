#pragma once

#include "platform/Desktop.h"

#include <QList>

// Keeps every set of values it is given and changes nothing: the desktop
// when there is no session to change, and the tests' stand-in.
class RecordingDesktop final : public Desktop {
public:
    QString name() const override { return QStringLiteral("none"); }
    QString apply(const DesktopValues& values) override {
        applied.append(values);
        return failure;
    }

    QList<DesktopValues> applied;
    QString failure; // what apply() answers; empty for success
};
