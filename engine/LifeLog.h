#pragma once

#include <QLoggingCategory>

// The program's start, stop and hand-over messages, off unless asked for
// (QT_LOGGING_RULES="tapestrel.life.info=true"), for people and scripts that
// watch a running copy from outside.
Q_DECLARE_LOGGING_CATEGORY(lcLife)
