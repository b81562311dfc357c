#include "WorkDrawing.h"

#include <CLI/CLI.hpp>

#include <cstdlib>
#include <stdexcept>


namespace kwutil {

WorkDrawing::WorkDrawing(std::filesystem::path file, bool createIfMissing)
    : m_file(std::move(file)), m_engine(ckw::engine::DefaultEngine()), m_previous(m_pCfg) {
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

std::pair<float, float> ParsePair(const std::string& text, const std::string& option) {
    const size_t comma = text.find(',');
    if (comma != std::string::npos) {
        const std::string first = text.substr(0, comma), second = text.substr(comma + 1);
        char* end1 = nullptr;
        char* end2 = nullptr;
        const float x = std::strtof(first.c_str(), &end1);
        const float y = std::strtof(second.c_str(), &end2);
        if (!first.empty() && !second.empty() && *end1 == '\0' && *end2 == '\0') return {x, y};
    }
    throw CLI::ValidationError(option + " takes X,Y (two numbers), not '" + text + "'");
}

}  // namespace kwutil
