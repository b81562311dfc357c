#include "FloorList.h"

#include <sstream>

#include "TypedNumbers.h"

namespace kwutil {

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
        const size_t colon = entry.find(':');
        double elevation = 0, height = 0;
        std::string why;
        if (colon == std::string::npos) {
            why = "no ':'";
        } else if (ckw::Result<double> e = ReadNumber(entry.substr(0, colon)); !e) {
            why = e.why();
        } else if (ckw::Result<double> h = ReadNumber(entry.substr(colon + 1)); !h) {
            why = h.why();
        } else {
            elevation = *e;
            height = *h;
            if (!(height > 0)) why = "the height is not above 0";
        }
        if (!why.empty()) {
            error = "bad floor \"" + entry + "\": " + why + " (want ELEVATION_M:HEIGHT_MM with a positive height)";
            return false;
        }
        parsed.elevations.push_back(static_cast<float>(elevation));
        parsed.heights.push_back(static_cast<float>(height));
    }
    if (parsed.elevations.empty()) {
        error = "no floors given";
        return false;
    }
    floors = std::move(parsed);
    return true;
}

}  // namespace kwutil
