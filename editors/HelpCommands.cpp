#include "editors/HelpCommands.h"

#include "engine/ErrorWindow.h"
#include "engine/ProgramState.h"
#include "platform/Help.h"
#include "platform/Services.h"
#include "runtime/RuntimeError.h"

namespace {

void showHelp(const QString& panelCaption, uint32_t command) {
    if (ProgramHelpFile.isEmpty()) {
        ShowErrorMessage(noHelpMessage(), 64, panelCaption);
        return;
    }
    if (const int error = services().help->show(ProgramHelpFile, command, 0))
        ShowErrorMessage(standardErrorText(error), 0, QString());
}

} // namespace

QString noHelpMessage() {
    return QStringLiteral(
        "Unable to display Help Contents. There is no Help associated with this project.");
}

void showHelpContents(const QString& panelCaption) {
    showHelp(panelCaption, helpcmd::Tab);
}

void showHelpIndex(const QString& panelCaption) {
    showHelp(panelCaption, helpcmd::PartialKey);
}
