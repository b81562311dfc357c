#pragma once
// A host engine that logs every call with its input arguments, in order, and passes it on to an
// inner engine (for instance the reference engine) when one is given. Without an inner engine
// outputs are zero and every interaction answers [Esc], so no command loops forever.
//
// A logged call reads like: HostDrawLine(0, 0, 84100, 0). Floats print in their shortest exact
// form, arrays as [a b c], texts as "..." with their bytes unchanged (GBK).
#include <charconv>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include <ckw/HostEngine.h>

namespace ckw::test {

class RecordingEngine : public HostEngine {
public:
    explicit RecordingEngine(HostEngine* inner = nullptr) : m_inner(inner) {}

    const std::vector<std::string>& Calls() const { return m_calls; }
    // The logged calls of one member, e.g. CallsOf("HostDefineLineType").
    std::vector<std::string> CallsOf(std::string_view name) const {
        std::vector<std::string> found;
        for (const auto& call : m_calls)
            if (call.size() > name.size() && call.compare(0, name.size(), name) == 0 && call[name.size()] == '(')
                found.push_back(call);
        return found;
    }
    // Only the member names, in order.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& call : m_calls) names.push_back(call.substr(0, call.find('(')));
        return names;
    }
    void Clear() { m_calls.clear(); }
    // Result of the int members when there is no inner engine.
    void SetAnswer(int answer) { m_answer = answer; }

    static std::string Value(int v) { return std::to_string(v); }
    static std::string Value(float v) {
        char buffer[32];
        auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, v);
        return std::string(buffer, end);
    }
    template <class T>
    static std::string List(const T* values, int count) {
        std::string s = "[";
        for (int i = 0; values && i < count; ++i) s += (i ? " " : "") + Value(values[i]);
        return s + "]";
    }
    static std::string Text(const char* text, int length) {
        return "\"" + (text && length > 0 ? std::string(text, static_cast<size_t>(length)) : std::string()) + "\"";
    }
    // A NUL-terminated text read within capacity.
    static std::string CText(const char* text, int capacity) {
        int length = 0;
        while (text && length < capacity && text[length]) ++length;
        return Text(text, length);
    }

    // Each call is logged with its inputs, then passed on to the inner engine; without one the
    // outputs get the call's fallback and an int call answers SetAnswer's value.
#define CKW_UNPARENTHESIZE(...) __VA_ARGS__
#define CKW_HOST_CALL(Result, Name, Parameters, Arguments, Logged, Fallback) \
    Result Name Parameters override {                                        \
        Log(#Name, {CKW_UNPARENTHESIZE Logged});                             \
        if (m_inner) return m_inner->Name Arguments;                         \
        Fallback return static_cast<Result>(m_answer);                       \
    }
#include <ckw/HostCalls.def>
#undef CKW_HOST_CALL
#undef CKW_UNPARENTHESIZE

private:
    void Log(std::string_view name, std::initializer_list<std::string> args) {
        std::string call(name);
        call += '(';
        bool first = true;
        for (const auto& a : args) {
            if (!first) call += ", ";
            call += a;
            first = false;
        }
        m_calls.push_back(call + ')');
    }

    HostEngine* m_inner;
    int m_answer = 1;
    std::vector<std::string> m_calls;
};

}  // namespace ckw::test
