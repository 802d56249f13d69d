#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <optional>

// An environment variable set for a scope; afterwards it is as it was,
// unset included (an empty value is not the same to every program).
class ScopedVariable {
public:
    ScopedVariable(const char* name, const QByteArray& value)
        : name_(name),
          saved_(qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt) {
        qputenv(name, value);
    }
    ~ScopedVariable() {
        if (saved_)
            qputenv(name_, *saved_);
        else
            qunsetenv(name_);
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* name_;
    std::optional<QByteArray> saved_;
};
