#pragma once
// Sets (or, with a null value, removes) one environment variable for the
// lifetime of the object and puts the old value back afterwards.
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace quillory::test {

class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name)) m_old = old;
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedEnv() { m_old ? ::setenv(m_name.c_str(), m_old->c_str(), 1) : ::unsetenv(m_name.c_str()); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string m_name;
    std::optional<std::string> m_old;
};

// TZ for the lifetime of the object, so a test sees local-time conversions
// under a zone of its choosing; tzset runs after TZ is set and after it is put
// back (members go in reverse order).
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone) : m_env("TZ", zone) { ::tzset(); }

private:
    struct TzsetLast {
        ~TzsetLast() { ::tzset(); }
    } m_tzsetLast;
    ScopedEnv m_env;
};

}  // namespace quillory::test
