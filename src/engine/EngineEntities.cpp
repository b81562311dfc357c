// Entity records, identifiers, extended-data streams and copying of the reference engine.
#include <algorithm>
#include <cstring>

#include "RefState.h"

namespace ckw::engine {

namespace {

void ReadInto(const Entity* e, int& kind, int* attributes, float* values, int& valueCount, char* text, int& textLength,
              const int& capacity) {
    valueCount = 0;
    textLength = 0;
    if (!e || e->deleted) {
        kind = e ? -std::abs(e->kind) : -1;
        if (text && capacity > 0) text[0] = '\0';
        return;
    }
    kind = e->kind;
    if (attributes) std::copy(e->attributes.begin(), e->attributes.end(), attributes);
    if (values && capacity > 0) {
        valueCount = static_cast<int>(std::min<size_t>(e->values.size(), static_cast<size_t>(capacity)));
        std::copy_n(e->values.begin(), valueCount, values);
    }
    if (text && capacity > 0) {
        textLength = static_cast<int>(std::min<size_t>(e->text.size(), static_cast<size_t>(capacity - 1)));
        std::memcpy(text, e->text.data(), static_cast<size_t>(textLength));
        text[textLength] = '\0';
    }
}

// Checks a record handed in; fills the entity's record fields when it is acceptable.
bool TakeRecord(Entity& e, const int& kind, const int* attributes, const float* values, const int& valueCount,
                const char* text, const int& textLength) {
    if (kind != e.kind || valueCount < 0 || valueCount > kHostRecordCapacity || textLength < 0 ||
        textLength > kMaxEntityText || (valueCount > 0 && !values) || (textLength > 0 && !text))
        return false;
    if (attributes) std::copy_n(attributes, kHostAttributeCount, e.attributes.begin());
    e.values.assign(values, values + valueCount);
    e.text.assign(text ? text : "", static_cast<size_t>(textLength));
    return true;
}

bool TakeStream(std::vector<int32_t>& stream, const int& count, const int* words) {
    if (count < 0 || count > kHostXDataWords || (count > 0 && !words)) return false;
    stream.assign(words, words + count);
    return true;
}

void GiveStream(const std::vector<int32_t>& stream, int& count, int* words, const int& capacity) {
    if (stream.size() > static_cast<size_t>(std::max(0, capacity)) || (!words && !stream.empty())) {
        count = -static_cast<int>(stream.size());
        return;
    }
    std::copy(stream.begin(), stream.end(), words);
    count = static_cast<int>(stream.size());
}

// A block number of `target` under which `block` can live: its own when free or holding the same.
int BlockNumberFor(const Drawing& target, const Block& block) {
    for (int number = block.number;; ++number) {
        auto it = target.Blocks().find(number);
        if (it == target.Blocks().end()) return number;
        if (it->second.name == block.name && it->second.entities == block.entities) return number;
    }
}

}  // namespace

void ReferenceEngine::HostGetEntityId(const int&, int& id0, int& id1) {
    const Entity* e = m->CurrentEntity();
    id0 = e ? e->id0 : 0;
    id1 = e ? e->id1 : 0;
}

void ReferenceEngine::HostFindEntity(const int& unit, const int& kind, const int& id0, const int& id1, int& found) {
    found = 0;
    Unit* u = m->Get(unit);
    if (u) {
        if (auto index = u->drawing.Find(id0)) {
            const Entity& e = u->drawing.Entities()[*index];
            if (!e.deleted && e.id1 == id1 && (kind == 0 || e.kind == kind)) {
                m->SetCurrent(unit <= 0 ? m->current : unit, *index);
                found = 1;
                return;
            }
        }
    }
    // Nothing found: no entity is current, so a following write cannot hit another entity.
    m->currentEntity.reset();
}

void ReferenceEngine::HostReadEntity(int& kind, int* attributes, float* values, int& valueCount, char* text,
                                     int& textLength, const int& capacity) {
    ReadInto(m->CurrentEntity(), kind, attributes, values, valueCount, text, textLength, capacity);
}

void ReferenceEngine::HostReadSelectedEntity(int& kind, int* attributes, float* values, int& valueCount, char* text,
                                             int& textLength, const int& capacity) {
    Unit* unit = m->selectionUnit ? m->Get(m->selectionUnit) : nullptr;
    const Entity* found = nullptr;
    for (size_t index : unit ? m->selection : std::vector<size_t>{}) {
        if (!unit->drawing.Entities()[index].deleted) {
            m->SetCurrent(m->selectionUnit, index);
            found = m->CurrentEntity();
            break;
        }
    }
    ReadInto(found, kind, attributes, values, valueCount, text, textLength, capacity);
    if (!found) kind = -1;
}

void ReferenceEngine::HostUpdateEntity(const int& kind, const int* attributes, const float* values,
                                       const int& valueCount, const char* text, const int& textLength, const int&,
                                       const int&, const int& writeMode, int& iFail) {
    iFail = 1;
    Entity* e = m->CurrentEntity();
    Unit* unit = m->currentEntity ? m->Get(m->currentEntity->unit) : nullptr;
    if (!e || e->deleted || !unit || unit->readOnly) return;
    if (writeMode == -2) {
        unit->drawing.Erase(m->currentEntity->index);
        iFail = 0;
        return;
    }
    Entity updated = *e;
    if (!TakeRecord(updated, kind, attributes, values, valueCount, text, textLength)) return;
    for (size_t i = 0; i < m->attributeOverrides.size(); ++i)
        if (m->attributeOverrides[i]) updated.attributes[i] = *m->attributeOverrides[i];
    if (!m->pendingUpdate.empty()) updated.xdata = m->pendingUpdate;
    *e = std::move(updated);
    m->attributeOverrides = {};
    if (e->kind == kLayerEntry || e->kind == kLineTypeEntry) unit->drawing.TablesChanged();
    iFail = 0;
}

void ReferenceEngine::HostSetEntityAttribute(const int& which, const int& value) {
    Entity* e = m->CurrentEntity();
    Unit* unit = m->currentEntity ? m->Get(m->currentEntity->unit) : nullptr;
    if (!e || e->deleted || !unit || unit->readOnly || which < 1 || which > 4) return;
    e->attributes[static_cast<size_t>(which - 1)] = value;
    m->attributeOverrides[static_cast<size_t>(which - 1)] = value;
    if (e->kind == kLayerEntry) unit->drawing.TablesChanged();
}

void ReferenceEngine::HostRewriteEntityBuffers(const int& kind, const int* attributes, const float* values,
                                               const int& valueCount, const char* text, const int& textLength) {
    Entity* e = m->CurrentEntity();
    Unit* unit = m->currentEntity ? m->Get(m->currentEntity->unit) : nullptr;
    if (!e || e->deleted || !unit || unit->readOnly) return;
    Entity updated = *e;
    if (!TakeRecord(updated, kind, attributes, values, valueCount, text, textLength)) return;
    *e = std::move(updated);
    if (e->kind == kLayerEntry || e->kind == kLineTypeEntry) unit->drawing.TablesChanged();
}

void ReferenceEngine::HostCopyEntityToCurrent(const int& kind) {
    const Entity* source = m->CurrentEntity();
    Unit* from = m->currentEntity ? m->Get(m->currentEntity->unit) : nullptr;
    Drawing* target = m->Writable();
    if (!source || source->deleted || source->kind != kind || !from || !target) return;
    Entity copy = *source;
    if (copy.kind == kBlockInsert && !copy.values.empty()) {
        auto it = from->drawing.Blocks().find(WholeNumber(copy.values[0]));
        if (it != from->drawing.Blocks().end()) {
            int number = BlockNumberFor(*target, it->second);
            if (!target->Blocks().count(number)) {
                Block block = it->second;
                block.number = number;
                target->Blocks()[number] = std::move(block);
            }
            copy.values[0] = static_cast<float>(number);
        }
    }
    if (copy.kind == kLineTypeEntry) {
        target->DefineLineType(copy.attributes[0], copy.values);
        return;
    }
    if (!m->ucs.IsIdentity()) TransformEntity(copy, m->ucs);
    m->SetCurrent(m->current, target->Add(std::move(copy)));
}

// --- Extended data -----------------------------------------------------------------------------

void ReferenceEngine::HostGetXData(int& count, int* words, const int& capacity) {
    const Entity* e = m->CurrentEntity();
    if (!e || e->deleted) {
        count = 0;
        return;
    }
    GiveStream(e->xdata, count, words, capacity);
}

int ReferenceEngine::HostSetXData(const int& count, const int* words) {
    return TakeStream(m->pendingUpdate, count, words) ? 1 : 0;
}

int ReferenceEngine::HostSetNewEntityXData(const int& count, const int* words) {
    return TakeStream(m->pendingNew, count, words) ? 1 : 0;
}

void ReferenceEngine::HostGetNewEntityXData(int& count, int* words, const int& capacity) {
    GiveStream(m->pendingNew, count, words, capacity);
}

}  // namespace ckw::engine
