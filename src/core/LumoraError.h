#pragma once

#include <QString>

#include <stdexcept>

namespace lumora {

// Run-time error numbers that Lumora's procedures raise and report. They keep the classic
// BASIC numbering so that error reports from every part of the program read the same way.
namespace errnum {
inline constexpr int Overflow = 6;
inline constexpr int OutOfMemory = 7;
inline constexpr int TypeMismatch = 13;
inline constexpr int InternalError = 51;
inline constexpr int BadFileName = 52;
inline constexpr int FileNotFound = 53;
inline constexpr int DeviceIO = 57;
inline constexpr int InputPastEndOfFile = 62;
inline constexpr int PathFileAccess = 75;
inline constexpr int PathNotFound = 76;
inline constexpr int InvalidProcedureCall = 5;
// The image engine's failure code (0x8000FFFF). The task runner skips a step that fails with it.
inline constexpr int EngineFailure = -2147418113;
}  // namespace errnum

// An error with a number and a description, raised by a procedure and caught by the procedure
// that reports it (see ReportError).
class LumoraError : public std::runtime_error {
public:
    LumoraError(int number, const QString& description)
        : std::runtime_error(description.toStdString()), number_(number), description_(description)
    {
    }

    int number() const noexcept { return number_; }
    const QString& description() const noexcept { return description_; }

private:
    int number_;
    QString description_;
};

}  // namespace lumora
