#include "gui/QtFileDialog.h"

#include <QFileDialog>
#include <QFileInfo>

QStringList QtFileDialog::chooseFiles(QWidget* owner, const QString& title, const QString& filter) {
    // The bracketed patterns are for matching only; the dialog shows the
    // filter's name.
    const QString qtFilter =
        filterName(filter) + QStringLiteral(" (") + caseFreePatterns(filter).join(u' ') + u')';
    const QStringList chosen = QFileDialog::getOpenFileNames(
        owner, title, startFolder(), qtFilter, nullptr, QFileDialog::HideNameFilterDetails);
    if (!chosen.isEmpty())
        lastFolder_ = QFileInfo(chosen.first()).absolutePath();
    return chosen;
}

QString QtFileDialog::startFolder() const {
    return lastFolder_.isEmpty() ? picturesFolder() : lastFolder_;
}
