#pragma once

#include <QString>
#include <QStringList>

// Opening documents and web pages with the desktop's own handler.
class Shell {
public:
    virtual ~Shell() = default;
    // Whether the desktop has any program to open web pages with.
    virtual bool hasBrowser() const = 0;
    virtual bool openUrl(const QString& address) = 0;
};

class DesktopShell final : public Shell {
public:
    bool hasBrowser() const override;
    bool openUrl(const QString& address) override;
};

class RecordingShell final : public Shell {
public:
    bool hasBrowser() const override { return browser; }
    bool openUrl(const QString& address) override {
        opened << address;
        return succeed;
    }
    bool browser = true;
    bool succeed = true;
    QStringList opened;
};
