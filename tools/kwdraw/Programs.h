#pragma once
// Drawing programs loaded as plug-ins. A program is a shared library that names its commands in
// the exported symbol `kw_commands`: a NUL-terminated text of command names separated by blanks,
// commas or line breaks. Each name is an exported function without arguments (C linkage; in
// Fortran a `bind(C, name=...)` subroutine). The window runs them on the open drawing.
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kwdraw {

struct ProgramCommand {
    std::string name;
    void (*run)() = nullptr;
};

class Program {
public:
    ~Program();
    // Loads the library and finds its commands; null with error when it is not a program.
    static std::unique_ptr<Program> Load(const std::string& utf8Path, std::string& error);

    const std::string& Path() const { return m_path; }
    std::string Name() const;
    const std::vector<ProgramCommand>& Commands() const { return m_commands; }

private:
    Program() = default;
    void* m_handle = nullptr;
    std::string m_path;
    std::vector<ProgramCommand> m_commands;
};

// The names a `kw_commands` text lists, in order, each once.
std::vector<std::string> CommandNames(const char* text);

}  // namespace kwdraw
