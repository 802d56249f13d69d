#pragma once

#include <QProcess>
#include <QSize>
#include <QString>
#include <QStringList>

// An X server of the test's own, of a size the shared one does not have.
// It keeps its state when the last client leaves (-noreset), so that the
// monitors set up with xrandr stay.
class OwnXvfb {
public:
    explicit OwnXvfb(QSize size);
    ~OwnXvfb();
    OwnXvfb(const OwnXvfb&) = delete;
    OwnXvfb& operator=(const OwnXvfb&) = delete;

    // ":N"; empty when no server could be started (why() says why).
    QString display() const { return display_; }
    QString why() const { return why_; }
    // Runs xrandr on this server; its complaint, or empty on success.
    QString xrandr(const QStringList& arguments) const;

private:
    QProcess server_;
    QString display_;
    QString why_;
};
