#pragma once
// Puts TZ to a zone for the lifetime of the object (tzset on the way in and
// out), so a test can see local-time conversions under a zone of its choosing.
#include <ctime>
#include <optional>

#include "support/scoped_env.h"

namespace quillory::test {

class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone) {
        m_env.emplace("TZ", zone);
        ::tzset();
    }
    ~ScopedTimeZone() {
        m_env.reset();
        ::tzset();
    }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

private:
    std::optional<ScopedEnv> m_env;
};

}  // namespace quillory::test
