#pragma once

#include <QImage>
#include <QList>
#include <QString>

// An XEmbed tray manager of the test's own, on an X connection of its own:
// it takes the tray selection of the default screen, tells the clients with
// a MANAGER message, and notes the icons that ask to be docked. It offers
// an ARGB visual (_NET_SYSTEM_TRAY_VISUAL) when asked to and the server has
// one, as trays that draw icons on their own background do. Xlib stays out
// of this header.
class XEmbedTrayStandIn {
public:
    explicit XEmbedTrayStandIn(bool offerArgbVisual);
    ~XEmbedTrayStandIn();
    XEmbedTrayStandIn(const XEmbedTrayStandIn&) = delete;
    XEmbedTrayStandIn& operator=(const XEmbedTrayStandIn&) = delete;

    // Empty when the tray is up; else what went wrong.
    QString problem() const { return problem_; }
    bool offersArgbVisual() const { return argbVisual_ != 0; }

    // The panel's own colour, behind its icons.
    static constexpr unsigned long kBackground = 0xff00ff;

    // Reads the requests that came and docks each icon that asks; the
    // windows that asked, in order.
    QList<unsigned long> dockRequests();
    // The depth of a window's visual; 0 when it is gone.
    int depthOf(unsigned long window) const;
    // A window's content with its alpha where its visual has one (read
    // from the window's own pixels where the tray composites).
    QImage contentOf(unsigned long window) const;

private:
    void embed(unsigned long icon);

    void* display_ = nullptr;
    unsigned long window_ = 0;
    unsigned long argbVisual_ = 0;
    unsigned long opcodeAtom_ = 0;
    bool composited_ = false;
    QList<unsigned long> docked_;
    QString problem_;
};
