#pragma once

#include "engine/Windows.h"

#include <QPointer>
#include <QSet>
#include <QStringList>
#include <QWidget>
#include <functional>

// The program's windows as a test scripts them: every window it names as
// present (unless `absent` holds it, or `allAbsent` is set), each call
// noted in `calls` by the window's name, and each dialog answered by its
// script (Cancel when there is none).
class ScriptedWindows : public NoProgramWindows {
public:
    ~ScriptedWindows() override {
        for (const QPointer<QWidget>& w : plainPanels + plainDropWindows)
            delete w.data();
    }

    bool has(LaterWindow window) const override { return !allAbsent && !absent.contains(window); }

    // Gives the program plain widgets as its control panel and drop
    // window, for tests that need them to be there but not to be the real
    // ones. The program owns the windows it is given; those it leaves are
    // deleted with this set.
    void givePlainWindows() {
        controlPanel = [this] { return plainWindow(plainPanels); };
        dropWindow = [this] { return plainWindow(plainDropWindows); };
    }

    QWidget* createControlPanel() override {
        calls << QStringLiteral("ControlPanel");
        return controlPanel ? controlPanel() : nullptr;
    }
    void refreshMagicList(QWidget*) override { calls << QStringLiteral("Refresh"); }
    void offerToFillEmptyList(QWidget*) override { calls << QStringLiteral("EmptyListOffer"); }
    QWidget* createDropWindow() override {
        calls << QStringLiteral("DropWindow");
        return dropWindow ? dropWindow() : nullptr;
    }
    void showAboutBox() override { calls << QStringLiteral("About"); }

    CropAnswer runCropDialog(const CropRequest& request) override {
        calls << QStringLiteral("Crop");
        cropRequests << request;
        return crop ? crop(request) : CropAnswer{};
    }
    void runColorPicker(ColorPickerFields& fields) override {
        calls << QStringLiteral("Colors");
        answer(colors, fields, [](ColorPickerFields& f) { f.Cancelled = true; });
    }
    void runScheduleDialog() override {
        calls << QStringLiteral("Schedule");
        if (schedule)
            schedule();
    }
    void runOptionsDialog() override {
        calls << QStringLiteral("Options");
        if (options)
            options();
    }
    void runListNameDialog(ListNameFields& fields) override {
        calls << QStringLiteral("ListName");
        answer(listName, fields, [](ListNameFields& f) { f.Cancelled = true; });
    }
    void runListPicker(ListPickerFields& fields) override {
        calls << QStringLiteral("ListPicker");
        answer(listPicker, fields, [](ListPickerFields& f) { f.Cancelled = true; });
    }
    void runNoFilesDialog(NoFilesFields& fields) override {
        calls << QStringLiteral("NoFiles");
        answer(noFiles, fields, [](NoFilesFields& f) { f.NoFilesChoice = -1; });
    }
    void runRenameDialog(RenameFields& fields) override {
        calls << QStringLiteral("Rename");
        answer(rename, fields, [](RenameFields& f) { f.Cancelled = true; });
    }
    void runOverview(const OverviewFields& fields) override {
        calls << QStringLiteral("Overview");
        overviewFields << fields;
    }
    void runUpdateWindow(int16_t updateMode) override {
        calls << QStringLiteral("Update");
        updateModes << updateMode;
    }
    void runBadConnectionNotice() override {
        calls << QStringLiteral("BadConnection");
        if (badConnection)
            badConnection();
    }

    // How many times a window was asked for.
    qsizetype count(const QString& call) const { return calls.count(call); }

    QSet<LaterWindow> absent;
    bool allAbsent = false;
    // The plain widgets given so far, in order; null once the program
    // deleted one.
    QList<QPointer<QWidget>> plainPanels;
    QList<QPointer<QWidget>> plainDropWindows;
    QStringList calls;
    QList<CropRequest> cropRequests;
    QList<OverviewFields> overviewFields;
    QList<int16_t> updateModes;

    std::function<QWidget*()> controlPanel;
    std::function<QWidget*()> dropWindow;
    std::function<CropAnswer(const CropRequest&)> crop;
    std::function<void(ColorPickerFields&)> colors;
    std::function<void()> schedule;
    std::function<void()> options;
    std::function<void(ListNameFields&)> listName;
    std::function<void(ListPickerFields&)> listPicker;
    std::function<void(NoFilesFields&)> noFiles;
    std::function<void(RenameFields&)> rename;
    std::function<void()> badConnection;

private:
    static QWidget* plainWindow(QList<QPointer<QWidget>>& given) {
        auto* window = new QWidget;
        given.append(window);
        return window;
    }
    template <class Fields, class Cancel>
    static void answer(const std::function<void(Fields&)>& script, Fields& fields, Cancel cancel) {
        if (script)
            script(fields);
        else
            cancel(fields);
    }
};
