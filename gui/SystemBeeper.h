#pragma once

#include "platform/Beeper.h"

// The desktop's beep, which only a widget application can sound.
class SystemBeeper final : public Beeper {
public:
    void beep() override;
};
