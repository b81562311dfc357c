#include <ckw/HostEngine.h>
#include <ckw/ReferenceEngine.h>

namespace ckw::engine {

ReferenceEngine& DefaultEngine() {
    // Never destroyed: callers may still use m_pCfg while other static objects go away.
    static ReferenceEngine* engine = new ReferenceEngine;
    return *engine;
}

}  // namespace ckw::engine

// The engine the library talks to: the reference engine with one empty current drawing.
HostEngine* m_pCfg = &ckw::engine::DefaultEngine();
