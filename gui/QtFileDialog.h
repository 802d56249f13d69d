#pragma once

#include "platform/FileDialog.h"

// The desktop's file dialog (QFileDialog). It opens in the user's
// pictures folder the first time, then in the folder the user last chose
// files from, for the rest of the run.
class QtFileDialog final : public FileDialog {
public:
    QStringList chooseFiles(QWidget* owner, const QString& title, const QString& filter) override;
    // Where the dialog opens next.
    QString startFolder() const;

private:
    QString lastFolder_;
};
