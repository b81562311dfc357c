#pragma once
// The outcome of something that can be refused: done, or refused with the reason a person or a
// script is told. It must be looked at ([[nodiscard]]); ok() says which, why() the reason.
// Result<T> is the same for an operation that gives a value: the value, or the reason it has none.
#include <cassert>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace ckw {

class [[nodiscard]] Status {
public:
    // Done.
    Status() = default;
    // Refused for this reason (an empty reason is no refusal), so that a refusal reads
    // `return "the dialog has no OK button";`; a reason made at run time is named as one:
    // `return Status(why);`.
    explicit Status(std::string why) : m_why(std::move(why)) {}
    Status(const char* why) : m_why(why ? why : "") {}

    bool ok() const noexcept { return m_why.empty(); }
    const std::string& why() const noexcept { return m_why; }

    // Compares the reason: a status equals "" when done.
    friend bool operator==(const Status& status, std::string_view why) { return status.m_why == why; }
    friend std::ostream& operator<<(std::ostream& out, const Status& status);

private:
    std::string m_why;
};

template <class T>
class [[nodiscard]] Result {
public:
    Result(T value) : m_value(std::move(value)) {}
    // A refusal; a done status has no value to give.
    Result(Status refusal) : m_status(std::move(refusal)) { assert(!m_status.ok()); }
    Result(const char* why) : Result(Status(why)) {}

    bool ok() const noexcept { return m_value.has_value(); }
    explicit operator bool() const noexcept { return ok(); }
    const T& operator*() const& {
        assert(ok());
        return *m_value;
    }
    T&& operator*() && {
        assert(ok());
        return std::move(*m_value);
    }
    const T* operator->() const {
        assert(ok());
        return &*m_value;
    }
    const Status& status() const noexcept { return m_status; }
    const std::string& why() const noexcept { return m_status.why(); }

private:
    std::optional<T> m_value;
    Status m_status;
};

}  // namespace ckw
