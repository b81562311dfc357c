#include "Programs.h"

#include <dlfcn.h>

#include <algorithm>
#include <filesystem>

namespace kwdraw {

namespace {

constexpr char kCommandsSymbol[] = "kw_commands";
// A command list longer than this is not one.
constexpr size_t kMaxListBytes = 64 * 1024;

bool Separator(char c) { return c == ' ' || c == ',' || c == '\n' || c == '\r' || c == '\t' || c == ';'; }

}  // namespace

std::vector<std::string> CommandNames(const char* text) {
    std::vector<std::string> names;
    if (!text) return names;
    std::string current;
    for (size_t i = 0; i < kMaxListBytes && text[i]; ++i) {
        if (!Separator(text[i])) {
            current += text[i];
            continue;
        }
        if (!current.empty() && std::find(names.begin(), names.end(), current) == names.end()) names.push_back(current);
        current.clear();
    }
    if (!current.empty() && std::find(names.begin(), names.end(), current) == names.end()) names.push_back(current);
    return names;
}

std::unique_ptr<Program> Program::Load(const std::string& path, std::string& error) {
    // The program binds to the library and engine the window has loaded: one m_pCfg, one
    // parameter library.
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = ::dlerror();
        error = why ? why : "cannot load " + path;
        return nullptr;
    }
    const char* list = static_cast<const char*>(::dlsym(handle, kCommandsSymbol));
    if (!list) {
        error = path + " names no commands (no " + kCommandsSymbol + ")";
        ::dlclose(handle);
        return nullptr;
    }
    std::unique_ptr<Program> program(new Program);
    program->m_handle = handle;
    program->m_path = path;
    for (const std::string& name : CommandNames(list)) {
        void* symbol = ::dlsym(handle, name.c_str());
        if (!symbol) {
            error = path + ": command " + name + " is not exported";
            return nullptr;
        }
        program->m_commands.push_back({name, reinterpret_cast<void (*)()>(symbol)});
    }
    if (program->m_commands.empty()) {
        error = path + " lists no commands";
        return nullptr;
    }
    return program;
}

Program::~Program() {
    if (m_handle) ::dlclose(m_handle);
}

std::string Program::Name() const {
    // libbeamelev.so is the program "beamelev".
    std::string stem = std::filesystem::path(m_path).stem().string();
    return stem.size() > 3 && stem.starts_with("lib") ? stem.substr(3) : stem;
}

}  // namespace kwdraw
