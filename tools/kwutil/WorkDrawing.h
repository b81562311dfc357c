#pragma once
// A drawing the drawing-file commands work on: opened (or started, when the file does not exist
// yet) on the reference engine, which is m_pCfg while the object lives, and saved on request. The
// file is locked from before it is read until the object goes, so that another program's change
// made meanwhile is never written over.
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include <ckw/ReferenceEngine.h>
#include "platform/FileLock.h"

namespace kwutil {

class WorkDrawing {
public:
    // Throws std::runtime_error when another program holds the file or an existing file does not open.
    WorkDrawing(std::filesystem::path file, bool createIfMissing);
    ~WorkDrawing();
    WorkDrawing(const WorkDrawing&) = delete;
    WorkDrawing& operator=(const WorkDrawing&) = delete;

    ckw::engine::ReferenceEngine& Engine() { return m_engine; }
    // Answers for the interactive calls of the commands run next (points in drawing units).
    void Answer(std::vector<ckw::engine::InputEvent> events) { m_engine.SetInput(std::move(events)); }
    // Saves to the file it was opened from (atomically); throws on failure.
    void Save();

private:
    std::filesystem::path m_file;
    ckw::fs::FileLock m_lock;
    ckw::engine::ReferenceEngine& m_engine;
    HostEngine* m_previous;
};

// Reads a .T drawing (progress shown on a terminal); false after saying why it cannot.
bool ReadDrawing(const std::string& path, ckw::engine::Drawing& drawing);

// "X,Y" as two numbers; throws CLI::ValidationError naming the option otherwise.
std::pair<float, float> ParsePair(const std::string& text, const std::string& option);

}  // namespace kwutil
