#include "HostEngine.h"

// Until the reference engine is in place no engine is installed.
HostEngine* m_pCfg = nullptr;
