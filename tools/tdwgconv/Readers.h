#pragma once
// The two readers of the neutral drawing. Each returns false with a message for a file it
// cannot read; what it read is then to be thrown away.
#include <chrono>
#include <filesystem>
#include <string>

#include "Model.h"

namespace tdwg {

bool ReadDxf(const std::filesystem::path& file, Drawing& drawing, std::string& error);
bool ReadDxfBytes(const std::string& bytes, Drawing& drawing, std::string& error);

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
