#pragma once

#include "engine/Windows.h"
#include "platform/Connectivity.h"
#include "platform/Http.h"
#include "platform/Services.h"
#include "tests/common/TestEnvironment.h"
#include "tests/update/LocalHttpServer.h"
#include "update/frmBadConnection.h"
#include "update/frmupdate.h"

#include <QStringList>

// The windows of the update check as the program has them: the real
// notice and update window, each shown modally.
class UpdateWindows final : public NoProgramWindows {
public:
    bool has(LaterWindow window) const override {
        return window == LaterWindow::UpdateWindow || window == LaterWindow::BadConnectionNotice;
    }
    void runUpdateWindow(int16_t updateMode) override {
        updateModes << updateMode;
        frmupdate window;
        window.UpdateMode = updateMode;
        window.showModal();
    }
    void runBadConnectionNotice() override {
        ++notices;
        frmBadConnection notice;
        notice.showModal();
    }
    QList<int16_t> updateModes;
    int notices = 0;
};

// A private world for the update check: the test environment, a scripted
// connection (online unless a test says otherwise), the real HTTP service
// pointed at a local server, and the real windows.
class UpdateWorld {
public:
    UpdateWorld() {
        services().connectivity = &connectivity;
        services().http = &http;
        http.updateServer = server.base();
        http.noDataTimeoutMs = 5000;
        connectivity.states = {ScriptedConnectivity::online()};
        setProgramWindows(&windows);
    }
    ~UpdateWorld() { setProgramWindows(nullptr); }
    UpdateWorld(const UpdateWorld&) = delete;
    UpdateWorld& operator=(const UpdateWorld&) = delete;

    TestEnvironment env;
    ScriptedConnectivity connectivity;
    Http http;
    LocalHttpServer server;
    UpdateWindows windows;
};
