#pragma once

#include "platform/FileDialog.h"

// The desktop's file dialog (QFileDialog).
class QtFileDialog final : public FileDialog {
public:
    QStringList chooseFiles(QWidget* owner, const QString& title, const QString& filter) override;
};
