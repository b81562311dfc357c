#pragma once
// The floors of `kwutil sheet`: "ELEV:HEIGHT" entries (elevation in metres, storey height in
// millimetres, floor 1 first) separated by commas, blanks or line breaks; '#' starts a comment.
#include <string>
#include <vector>

namespace kwutil {

struct FloorList {
    std::vector<float> elevations;
    std::vector<float> heights;
};

// False with a message naming the bad entry.
bool ParseFloors(const std::string& text, FloorList& floors, std::string& error);

}  // namespace kwutil
