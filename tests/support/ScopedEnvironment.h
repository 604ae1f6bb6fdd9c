#pragma once

#include <QByteArray>

#include <QtGlobal>

namespace lumora::test {

// Sets an environment variable for as long as it lives, then puts back what was there (or
// removes it). Programs started meanwhile inherit the value.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const QByteArray& value) : name_(name), previous_(qgetenv(name))
    {
        qputenv(name_, value);
    }
    ~ScopedEnvironment()
    {
        if (previous_.isNull())
            qunsetenv(name_);
        else
            qputenv(name_, previous_);
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* name_;
    QByteArray previous_;
};

}  // namespace lumora::test
