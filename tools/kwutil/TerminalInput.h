#pragma once
// The engine's answers typed on the terminal, one line of the input script at a time, while the
// Qt event loop keeps the windows responsive.
#include <string>

#include "ReferenceEngine.h"

namespace kwutil {

class TerminalInput : public ckw::engine::InputSource {
public:
    ckw::engine::InputEvent NextInput(ckw::engine::InputWant want) override;

private:
    // The next line from standard input (without its newline); nothing at its end.
    bool ReadLine(std::string& line);

    std::string m_pending;
    bool m_ended = false;
};

}  // namespace kwutil
