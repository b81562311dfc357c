#pragma once
// One entity record as the host engine hands it out (HostReadEntity) and takes it back: the
// buffers every command that reads and rewrites whole entities works on.
#include <array>
#include <vector>

#include <ckw/HostEngine.h>

namespace ckw::host {

struct EntityRecord {
    int kind = 0;
    std::array<int, kHostAttributeCount> attributes{};
    std::vector<float> values = std::vector<float>(kHostRecordCapacity);
    int valueCount = 0;
    std::vector<char> text = std::vector<char>(kHostRecordCapacity);
    int textLength = 0;

    // Reads the engine's current entity as a record of entityKind.
    void Read(HostEngine& engine, int entityKind);
    // Writes the buffers back over the current entity, its extended data untouched.
    void Rewrite(HostEngine& engine) const;
    // Rewrites the current entity (flag 0) with the pending update stream; returns iFail.
    int Update(HostEngine& engine, int writeMode) const;
};

}  // namespace ckw::host
