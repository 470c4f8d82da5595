#pragma once
// The one way a function below the windows says how it went: Status is "ok",
// or a code (an errno value, or one of the few codes below) with a message
// for the user. Nothing below the windows shows a message box or prints;
// the caller decides whether and where to show `message()`.
//
//   Status s = writeSomething(...);
//   if (!s) show(s.message());
//
// A function that also hands back a value returns Result<T>: a value, or the
// Status that says why there is none.
#include <cerrno>
#include <cstring>
#include <optional>
#include <string>
#include <utility>

namespace quillory {

class [[nodiscard]] Status {
public:
    // Codes that are no errno value.
    static constexpr int kStopped = -1;  // a stop request ended the work
    static constexpr int kInvalid = -2;  // the input was refused; the message says why

    Status() = default;
    static Status ok() { return Status(); }
    static Status error(int code, std::string message) { return Status(code == 0 ? EIO : code, std::move(message)); }
    // errno `code`, the message being `what` followed by ": " and the system's text.
    static Status fromErrno(int code, const std::string& what) {
        return error(code, what.empty() ? std::string(std::strerror(code)) : what + ": " + std::strerror(code));
    }
    static Status stopped() { return Status(kStopped, "stopped"); }

    bool isOk() const { return m_code == 0; }
    explicit operator bool() const { return isOk(); }
    bool isStopped() const { return m_code == kStopped; }
    int code() const { return m_code; }
    const std::string& message() const { return m_message; }

private:
    Status(int code, std::string message) : m_code(code), m_message(std::move(message)) {}
    int m_code = 0;
    std::string m_message;
};

template <class T>
class [[nodiscard]] Result {
public:
    Result(T value) : m_value(std::move(value)) {}
    Result(Status status) : m_status(std::move(status)) {
        if (m_status.isOk()) m_status = Status::error(EIO, "no value");
    }
    bool isOk() const { return m_value.has_value(); }
    explicit operator bool() const { return isOk(); }
    const Status& status() const { return m_status; }
    T& value() { return *m_value; }
    const T& value() const { return *m_value; }
    T* operator->() { return &*m_value; }
    const T* operator->() const { return &*m_value; }
    T& operator*() { return *m_value; }
    const T& operator*() const { return *m_value; }

private:
    std::optional<T> m_value;
    Status m_status;
};

}  // namespace quillory
