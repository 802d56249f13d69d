#pragma once

#include "platform/Desktop.h"

#include <utility>

// A session whose desktop this program can't drive: every change is refused
// with the reason, so that the user is told instead of being left with a
// wallpaper that never shows.
class RefusingDesktop final : public Desktop {
public:
    RefusingDesktop(QString name, QString reason)
        : name_(std::move(name)), reason_(std::move(reason)) {}
    QString name() const override { return name_; }
    QString apply(const DesktopValues&) override { return reason_; }

private:
    QString name_;
    QString reason_;
};
