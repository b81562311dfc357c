#include "HostEngine.h"
// HostEngine is a pure interface; this unit anchors it in the library.
