#ifdef CKW_WITH_QT
#include "TerminalInput.h"

#include <QEventLoop>
#include <QSocketNotifier>

#include <unistd.h>

#include <iostream>
#include <vector>

#include "QtDialogRunner.h"

namespace kwutil {

bool TerminalInput::ReadLine(std::string& line) {
    ckw::qt::EnsureApplication();
    while (m_pending.find('\n') == std::string::npos && !m_ended) {
        QEventLoop loop;
        QSocketNotifier ready(STDIN_FILENO, QSocketNotifier::Read);
        QObject::connect(&ready, &QSocketNotifier::activated, &loop, [&] {
            char buffer[4096];
            const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
            if (n <= 0)
                m_ended = true;
            else
                m_pending.append(buffer, static_cast<size_t>(n));
            loop.quit();
        });
        loop.exec();
    }
    const size_t end = m_pending.find('\n');
    if (end == std::string::npos && m_pending.empty()) return false;
    line = m_pending.substr(0, end);
    m_pending.erase(0, end == std::string::npos ? m_pending.size() : end + 1);
    return true;
}

ckw::engine::InputEvent TerminalInput::NextInput(ckw::engine::InputWant) {
    std::string line;
    while (ReadLine(line)) {
        std::vector<ckw::engine::InputEvent> events;
        std::string error;
        if (ckw::engine::ParseInputScript(line, events, error) && events.size() == 1) return events.front();
        if (!events.empty() || !error.empty()) std::cerr << (error.empty() ? "one answer per line" : error) << "\n";
    }
    return {};  // end of input: [Esc]
}

}  // namespace kwutil
#endif
