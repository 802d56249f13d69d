#pragma once

#include <QList>
#include <QRandomGenerator>

// The runtime's random numbers: each call gives a value in [0, 1).
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual double next() = 0;
};

class SystemRandom final : public RandomSource {
public:
    double next() override { return QRandomGenerator::global()->generateDouble(); }
};

// Hands out the given values in turn, then starts over.
class SequenceRandom final : public RandomSource {
public:
    explicit SequenceRandom(QList<double> values) : values_(std::move(values)) {}
    double next() override {
        if (values_.isEmpty())
            return 0.0;
        const double v = values_[index_ % values_.size()];
        ++index_;
        return v;
    }

private:
    QList<double> values_;
    qsizetype index_ = 0;
};
