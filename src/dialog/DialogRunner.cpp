// Choosing the dialog runner at run time. The Qt runner is either linked into the program (it
// registers a factory) or loaded on demand from its own shared library, so that the library
// itself never depends on Qt.
#include "dialog/DialogRunner.h"

#include <dlfcn.h>

#include <cstdlib>
#include <string>

#include "dialog/DialogHeadless.h"
#include "platform/Ui.h"
#include "ckw/Version.h"

namespace ckw::dlg {

namespace {

// The shared library of the Qt runner and its entry point (C linkage, returns a UiBackend*).
#define CKW_STRINGIFY_(x) #x
#define CKW_STRINGIFY(x) CKW_STRINGIFY_(x)
constexpr const char* kQtBackendLibrary = "libCkwUiQt.so." CKW_STRINGIFY(CKW_VERSION_MAJOR);
constexpr const char* kQtBackendEntry = "CkwCreateQtUiBackend";

struct Selection {
    DialogRunner* explicitRunner = nullptr;
    UiBackendFactory factory = nullptr;
    bool chosen = false;
    UiBackend* backend = nullptr;
};

Selection& State() {
    static Selection state;
    return state;
}

HeadlessDialogRunner& Headless() {
    static HeadlessDialogRunner runner;
    return runner;
}

UiBackend* LoadBackendLibrary() {
    void* library = ::dlopen(kQtBackendLibrary, RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        // Installed beside this library, wherever that is.
        Dl_info self{};
        if (::dladdr(reinterpret_cast<void*>(&LoadBackendLibrary), &self) && self.dli_fname) {
            std::string beside = self.dli_fname;
            beside = beside.substr(0, beside.rfind('/') + 1) + kQtBackendLibrary;
            library = ::dlopen(beside.c_str(), RTLD_NOW | RTLD_LOCAL);
        }
    }
    if (!library) return nullptr;
    auto create = reinterpret_cast<UiBackendFactory>(::dlsym(library, kQtBackendEntry));
    // The library stays loaded for the rest of the program: its objects are in use.
    return create ? create() : nullptr;
}

// Installs the backend's message boxes unless the program installed a Ui of its own.
void InstallMessageUi(ckw::ui::Ui& ui) {
    ckw::ui::Ui* before = &ckw::ui::Current();
    ckw::ui::SetCurrent(nullptr);
    ckw::ui::Ui* standard = &ckw::ui::Current();
    ckw::ui::SetCurrent(before == standard ? &ui : before);
}

}  // namespace

UiBackend* ActivateUiBackend() {
    Selection& state = State();
    if (state.chosen) return state.backend;
    state.chosen = true;
    if (!ui::DisplayAvailable()) return nullptr;
    state.backend = state.factory ? state.factory() : LoadBackendLibrary();
    if (state.backend) InstallMessageUi(state.backend->MessageUi());
    return state.backend;
}

DialogRunner& CurrentRunner() {
    Selection& state = State();
    if (state.explicitRunner) return *state.explicitRunner;
    UiBackend* backend = ActivateUiBackend();
    return backend ? backend->Runner() : Headless();
}

DialogRunner* SetRunner(DialogRunner* runner) {
    DialogRunner* before = State().explicitRunner;
    State().explicitRunner = runner;
    return before;
}

void RegisterUiBackend(UiBackendFactory factory) { State().factory = factory; }

}  // namespace ckw::dlg
