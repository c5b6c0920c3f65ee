// Environment variables set for one test and restored afterwards.
#pragma once

#include <QByteArray>
#include <utility>
#include <vector>

namespace testing_env {

class ScopedEnvironment {
public:
    ScopedEnvironment() = default;
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;
    ~ScopedEnvironment() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
            if (it->second.isNull()) qunsetenv(it->first.constData());
            else qputenv(it->first.constData(), it->second);
        }
    }

    void Set(const char* name, const QByteArray& value) {
        saved_.emplace_back(name, qEnvironmentVariableIsSet(name) ? qgetenv(name) : QByteArray());
        qputenv(name, value);
    }

private:
    std::vector<std::pair<QByteArray, QByteArray>> saved_;
};

}  // namespace testing_env
