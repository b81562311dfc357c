#pragma once
/// The entity kinds of the host contract (EntityKinds.def) and what the library asks of a kind.
#include <string_view>

namespace ckw {

/// A kind number as HostReadEntity gives it.
enum EntityKind : int {
/// \cond
#define CKW_ENTITY_KIND(Name, Number, Text, Dxf, Label, Drawn, TextLike) kEntity##Name = Number,
#include "EntityKinds.def"
#undef CKW_ENTITY_KIND
    /// \endcond
};

/// What EntityKinds.def says of one kind.
struct EntityKindInfo {
    int number;              ///< the kind number
    std::string_view text;   ///< "line", "layer-entry", ...
    std::string_view dxf;    ///< the DXF entity an export writes
    std::string_view label;  ///< the same-entity editor's label (GBK), "" where it offers none
    bool drawn;              ///< drawn (entities, block inserts), not a table record
    bool textLike;           ///< a height and a width first, and a text
};

/// Every kind EntityKinds.def lists, in its order.
inline constexpr EntityKindInfo kEntityKinds[] = {
/// \cond
#define CKW_ENTITY_KIND(Name, Number, Text, Dxf, Label, Drawn, TextLike) \
    {Number, Text, Dxf, Label, Drawn != 0, TextLike != 0},
#include "EntityKinds.def"
#undef CKW_ENTITY_KIND
    /// \endcond
};

/// Kinds up to this number are drawn entities of the contract, also those a newer writer added;
/// the numbers above it are table records (layers, line types, styles) and block inserts.
inline constexpr int kLastEntityKindNumber = 10000;

/// The listed kind, nullptr for others.
constexpr const EntityKindInfo* FindEntityKind(int kind) {
    for (const EntityKindInfo& info : kEntityKinds)
        if (info.number == kind) return &info;
    return nullptr;
}

/// Whether the kind is listed in EntityKinds.def.
constexpr bool IsKnownKind(int kind) { return FindEntityKind(kind) != nullptr; }

/// Whether records of this kind are drawn (entities and block inserts), not table records. Asked
/// of every entity a view, index or selection walks: the entities' range is decided without a
/// look-up.
constexpr bool IsDrawnKind(int kind) {
    if (kind > 0 && kind <= kLastEntityKindNumber) return true;
    const EntityKindInfo* info = FindEntityKind(kind);
    return info && info->drawn;
}

/// Whether the kind's values start with a height and a width and it carries a text shown in the drawing.
constexpr bool IsTextLikeKind(int kind) {
    const EntityKindInfo* info = FindEntityKind(kind);
    return info && info->textLike;
}

/// \cond
namespace detail {
constexpr bool EveryKindInTheEntityRangeIsDrawn() {
    for (const EntityKindInfo& info : kEntityKinds)
        if (info.number > 0 && info.number <= kLastEntityKindNumber && !info.drawn) return false;
    return true;
}
}  // namespace detail
static_assert(detail::EveryKindInTheEntityRangeIsDrawn(), "a kind in the entities' range must be drawn");
/// \endcond

}  // namespace ckw
