#include "platform/HostRecord.h"

namespace ckw::host {

void EntityRecord::Read(HostEngine& engine, int entityKind) {
    kind = entityKind;
    engine.HostReadEntity(kind, attributes.data(), values.data(), valueCount, text.data(), textLength,
                          kHostRecordCapacity);
}

void EntityRecord::Rewrite(HostEngine& engine) const {
    engine.HostRewriteEntityBuffers(kind, attributes.data(), values.data(), valueCount, text.data(), textLength);
}

int EntityRecord::Update(HostEngine& engine, int writeMode) const {
    const int flag = 0;
    int iFail = 0;
    engine.HostUpdateEntity(kind, attributes.data(), values.data(), valueCount, text.data(), textLength,
                            kHostRecordCapacity, flag, writeMode, iFail);
    return iFail;
}

}  // namespace ckw::host
