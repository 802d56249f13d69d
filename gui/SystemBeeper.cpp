#include "gui/SystemBeeper.h"

#include <QApplication>

void SystemBeeper::beep() {
    QApplication::beep();
}
