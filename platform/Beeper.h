#pragma once

// The system beep.
class Beeper {
public:
    virtual ~Beeper() = default;
    virtual void beep() = 0;
};

class CountingBeeper final : public Beeper {
public:
    void beep() override { ++count; }
    int count = 0;
};
