#pragma once
// The two readers of the neutral drawing. Each returns false with a message for a file it
// cannot read; what it read is then to be thrown away.
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>

#include "Model.h"

namespace tdwg {

// Given `take`, the DXF reader hands on the model-space entities as it completes them, in the
// drawing's coordinates, `size` at a time, once it has read the file's tables and blocks (then
// also in the drawing's coordinates); `take` takes them and leaves the vector empty. What was not
// handed on is in drawing.entities at the end: all from the first entity whose reading ends only
// with the file's (a multi-line, coloured by its style), all of a file without tables or blocks
// before its entities.
struct EntityBatch {
    size_t size = 1024;
    std::function<void(std::vector<Entity>& entities)> take;
};
bool ReadDxf(const std::filesystem::path& file, Drawing& drawing, std::string& error, const EntityBatch& batch = {});
bool ReadDxfBytes(const std::string& bytes, Drawing& drawing, std::string& error, const EntityBatch& batch = {});

// Runs the DWG reader (Node.js with the reader script) in a child process and parses what it prints.
struct DwgReaderSetup {
    std::filesystem::path script;  // read-dwg.mjs
    std::chrono::seconds timeLimit{60};
};
bool ReadDwg(const std::filesystem::path& file, const DwgReaderSetup& setup, Drawing& drawing, std::string& error);
// The JSON the reader script prints, as a drawing (used by ReadDwg and the tests).
bool ParseDwgJson(const std::string& json, Drawing& drawing, std::string& error);

// A block description "CKW_BLOCK <number> <name>" written by our DXF export gives the block its
// engine number and its name back (DXF block names cannot hold every character a name may).
void RestoreBlockIdentity(const std::string& description, Block& block);

// Source units ($INSUNITS) in millimetres; 0 and unknown codes are taken as millimetres.
double MillimetresPerUnit(int insUnits);

}  // namespace tdwg
