#pragma once

#include <QString>
#include <stdexcept>

// A run-time error of the kind the language runtime raises: a number and a
// description. Each procedure catches its own and reports or converts it.
class RuntimeError : public std::runtime_error {
public:
    explicit RuntimeError(int number, const QString& description = {});

    int number() const { return number_; }
    const QString& description() const { return description_; }

private:
    int number_;
    QString description_;
};

// The runtime's standard text for an error number ("Application-defined or
// object-defined error" for numbers it does not know).
QString standardErrorText(int number);

[[noreturn]] void raiseError(int number, const QString& description = {});

// Maps a C library errno to the runtime's file error number.
int errorNumberFromErrno(int err);

namespace vberr {
constexpr int InvalidCall = 5;
constexpr int Overflow = 6;
constexpr int OutOfMemory = 7;
constexpr int SubscriptOutOfRange = 9;
constexpr int DivisionByZero = 11;
constexpr int TypeMismatch = 13;
constexpr int BadFileName = 52;
constexpr int FileNotFound = 53;
constexpr int DeviceIO = 57;
constexpr int FileExists = 58;
constexpr int DiskFull = 61;
constexpr int InputPastEnd = 62;
constexpr int PermissionDenied = 70;
constexpr int PathFileAccess = 75;
constexpr int PathNotFound = 76;
} // namespace vberr
