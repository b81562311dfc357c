#include "FloorList.h"

#include <cmath>
#include <cstdlib>
#include <sstream>

namespace kwutil {

namespace {

bool ParseNumber(const std::string& text, float& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    double parsed = std::strtod(text.c_str(), &end);
    if (*end != '\0' || !std::isfinite(parsed)) return false;
    value = static_cast<float>(parsed);
    return true;
}

}  // namespace

bool ParseFloors(const std::string& text, FloorList& floors, std::string& error) {
    std::string cleaned;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        line = line.substr(0, line.find('#'));
        for (char& c : line)
            if (c == ',' || c == '\t' || c == '\r') c = ' ';
        cleaned += line + ' ';
    }
    FloorList parsed;
    std::istringstream entries(cleaned);
    for (std::string entry; entries >> entry;) {
        size_t colon = entry.find(':');
        float elevation = 0, height = 0;
        if (colon == std::string::npos || !ParseNumber(entry.substr(0, colon), elevation) ||
            !ParseNumber(entry.substr(colon + 1), height) || height <= 0) {
            error = "bad floor \"" + entry + "\" (want ELEVATION_M:HEIGHT_MM with a positive height)";
            return false;
        }
        parsed.elevations.push_back(elevation);
        parsed.heights.push_back(height);
    }
    if (parsed.elevations.empty()) {
        error = "no floors given";
        return false;
    }
    floors = std::move(parsed);
    return true;
}

}  // namespace kwutil
