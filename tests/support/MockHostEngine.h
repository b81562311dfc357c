#pragma once
// A GoogleMock host engine: every HostEngine member as a mock method. Use it to check the exact
// calls a library operation makes; use RecordingEngine to log a whole sequence, and the reference
// engine (src/engine) to check behaviour.
#include <gmock/gmock.h>

#include <ckw/HostEngine.h>

namespace ckw::test {

class MockHostEngine : public HostEngine {
public:
#define CKW_HOST_CALL(Result, Name, Parameters, Arguments, Logged, Fallback) \
    MOCK_METHOD(Result, Name, Parameters, (override));
#include <ckw/HostCalls.def>
#undef CKW_HOST_CALL
};

// Points m_pCfg at an engine for the lifetime of the object and restores the previous one.
class ScopedHostEngine {
public:
    explicit ScopedHostEngine(HostEngine* engine) : m_previous(m_pCfg) { m_pCfg = engine; }
    ~ScopedHostEngine() { m_pCfg = m_previous; }
    ScopedHostEngine(const ScopedHostEngine&) = delete;
    ScopedHostEngine& operator=(const ScopedHostEngine&) = delete;

private:
    HostEngine* m_previous;
};

}  // namespace ckw::test
