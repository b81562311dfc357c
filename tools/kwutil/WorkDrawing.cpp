#include "WorkDrawing.h"

#include <CLI/CLI.hpp>

#include <stdexcept>

#include "Messages.h"
#include "Progress.h"
#include "TypedNumbers.h"

namespace kwutil {

WorkDrawing::WorkDrawing(std::filesystem::path file, bool createIfMissing)
    : m_file(std::move(file)),
      m_lock(ckw::fs::FileLock::Take(m_file)),
      m_engine(ckw::engine::DefaultEngine()),
      m_previous(m_pCfg) {
    if (!m_lock.held()) throw std::runtime_error(m_lock.why() + "; nothing was changed");
    m_pCfg = &m_engine;
    std::error_code ec;
    if (createIfMissing && !std::filesystem::exists(m_file, ec)) {
        m_engine.NewDrawing(0);
        return;
    }
    std::string error;
    if (!m_engine.Open(0, m_file, error)) {
        m_pCfg = m_previous;
        throw std::runtime_error(error);
    }
}

WorkDrawing::~WorkDrawing() { m_pCfg = m_previous; }

void WorkDrawing::Save() {
    std::string error;
    if (!m_engine.Save(0, m_file, error)) throw std::runtime_error(error);
}

bool ReadDrawing(const std::string& path, ckw::engine::Drawing& drawing) {
    std::string error;
    if (ckw::engine::ReadDrawingFile(path, drawing, error, TerminalProgress("reading"))) return true;
    Say() << error << "\n";
    return false;
}

std::pair<float, float> ParsePair(const std::string& text, const std::string& option) {
    const ckw::Result<std::vector<double>> numbers = ReadNumbers(text);
    if (!numbers) throw CLI::ValidationError(option + " takes X,Y: " + numbers.why());
    const std::vector<double>& xy = *numbers;
    if (xy.size() != 2) throw CLI::ValidationError(option + " takes X,Y (two numbers), not '" + text + "'");
    return {static_cast<float>(xy[0]), static_cast<float>(xy[1])};
}

}  // namespace kwutil
