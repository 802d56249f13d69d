#include "gui/QtFileDialog.h"

#include <QFileDialog>

QStringList QtFileDialog::chooseFiles(QWidget* owner, const QString& title, const QString& filter) {
    // The bracketed patterns are for matching only; the dialog shows the
    // filter's name.
    const QString qtFilter =
        filterName(filter) + QStringLiteral(" (") + caseFreePatterns(filter).join(u' ') + u')';
    return QFileDialog::getOpenFileNames(owner, title, QString(), qtFilter, nullptr,
                                         QFileDialog::HideNameFilterDetails);
}
