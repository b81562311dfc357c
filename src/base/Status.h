#pragma once
// The outcome of something that can be refused: done, or refused with the reason a person or a
// script is told. It must be looked at ([[nodiscard]]); ok() says which, why() the reason.
#include <iosfwd>
#include <string>
#include <string_view>
#include <utility>

namespace ckw {

class [[nodiscard]] Status {
public:
    // Done.
    Status() = default;
    // Refused for this reason (an empty reason is no refusal), so that a refusal reads
    // `return "the dialog has no OK button";`.
    Status(std::string why) : m_why(std::move(why)) {}
    Status(const char* why) : m_why(why ? why : "") {}

    bool ok() const noexcept { return m_why.empty(); }
    const std::string& why() const noexcept { return m_why; }

    // Compares the reason: a status equals "" when done.
    friend bool operator==(const Status& status, std::string_view why) { return status.m_why == why; }
    friend std::ostream& operator<<(std::ostream& out, const Status& status);

private:
    std::string m_why;
};

}  // namespace ckw
