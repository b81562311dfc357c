#pragma once
/// @file
/// The reference engine's drawing model: entities with their identifier pair, attribute group,
/// values, text and extended-data stream; blocks; the drawing-level word record; named properties.
/// Layers and line types are table entries among the entities (kinds 10009 and 10005), so walking,
/// copying and saving treat them like any other entity.
///
/// Text is GBK bytes, as everywhere at the engine's interface.
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "CkwExport.h"
#include "EntityKinds.h"
#include "HostEngine.h"

/// The reference engine (library CkwEngine): drawings, files, pictures and input.
namespace ckw::engine {

/// @addtogroup engine
/// @{

/// Entity kinds the engine knows. Values layouts (values[] of the record):
///   Point 1            x, y
///   Line 2             x1, y1, x2, y2
///   Polyline 3         n, closed, then n x (x, y, arc height, width, end width)
///   Rectangle 4        x, y (first corner), width, height, angle degrees
///   Circle 5, Core 6   cx, cy, r (a core is a filled circle)
///   Arc 7              cx, cy, r, start degrees, end degrees (anticlockwise)
///   Texts 8, 9         height, width, x, y, angle, h-align, v-align (8: with Chinese, 9: western)
///   Trace 10           x1, y1, x2, y2, x3, y3, x4, y4 (filled quadrilateral)
///   FilledPolygon 11   n, fill code, style, then n x (x, y)
///   MultilineText 15   height, width, x, y, angle, h-align, v-align, line spacing; lines split at '\n'
///   Dimension 17       height, width, x1, y1, x2, y2, x3, y3 (measured points; dimension line
///                      through the third point); text empty = the measured length
///   LineTypeEntry 10005   attributes[0] number; values: the dashes (at most 9); text: name
///   BlockInsert 10008  block number, x, y, z, scale x, y, z, rotation degrees
///   LayerEntry 10009   attributes: number, line type, width code, colour, flag (0 on); text: name
///   TextStyleEntry 10010, DimStyleEntry 10011: records kept as they are
enum Kind : int {
/// \cond
#define CKW_ENTITY_KIND(Name, Number, Text, Dxf, Label, Drawn, TextLike) k##Name = Number,
#include "EntityKinds.def"
#undef CKW_ENTITY_KIND
    /// \endcond
};

/// Longest entity text in bytes: it must fit a kHostRecordCapacity buffer with its NUL.
inline constexpr int kMaxEntityText = kHostRecordCapacity - 1;
/// Longest drawing-level record in words.
inline constexpr int kMaxDrawingDataWords = 1 << 22;
/// Values per polyline vertex: x, y, arc height, width, end width.
inline constexpr int kPolylineVertexValues = 5;
/// The most vertices a polyline record holds.
inline constexpr int kMaxPolylineVertices = (kHostRecordCapacity - 2) / kPolylineVertexValues;

/// True for the kinds of Kind (EntityKinds.def); the engine library's export of ckw::IsKnownKind.
CKW_API bool IsKnownKind(int kind);
/// True for the kinds that carry a text shown in the drawing (texts, multi-line texts, dimensions).
CKW_API bool IsTextLike(int kind);
/// "line", "layer-entry", ...; "kind-N" for others. KindFromName accepts both forms.
CKW_API std::string KindName(int kind);
/// The kind of a name KindName gives; nothing for an unknown name.
CKW_API std::optional<int> KindFromName(std::string_view name);

/// One entity or table entry.
struct Entity {
    int kind = 0;  ///< a Kind, or another number kept as it is
    int id0 = 0;   ///< running number, never handed out twice within the drawing
    int id1 = 0;   ///< the drawing's stamp
    /// layer, line type, width code (width x 1000), colour, and three the engine keeps
    std::array<int, kHostAttributeCount> attributes{};
    std::vector<float> values;   ///< laid out by kind (see Kind)
    std::string text;            ///< GBK, at most kMaxEntityText bytes
    std::vector<int32_t> xdata;  ///< extended-data word stream
    bool deleted = false;        ///< erased, kept until the drawing is saved

    int Layer() const { return attributes[0]; }      ///< the layer number
    int LineType() const { return attributes[1]; }   ///< the line type
    int WidthCode() const { return attributes[2]; }  ///< the width code
    int Colour() const { return attributes[3]; }     ///< the colour index
    bool operator==(const Entity&) const = default;  ///< equal in every field
};

/// A block definition: entities relative to the block's origin.
struct Block {
    int number = 0;                                 ///< the block number insertions name
    std::string name;                               ///< GBK
    std::array<float, 6> extents{};                 ///< of the content as loaded: xmin, ymin, zmin, xmax, ymax, zmax
    std::vector<Entity> entities;                   ///< relative to the block's origin
    bool operator==(const Block&) const = default;  ///< equal in every field
};

/// A layer as the layer table defines it.
struct LayerInfo {
    int number = 0;     ///< layer number
    std::string name;   ///< GBK
    int lineType = 1;   ///< line type (1 solid)
    int widthCode = 0;  ///< width x 1000
    int colour = 7;     ///< colour index
    int flag = 0;       ///< 0 in use, 1 switched off
};

/// One drawing. Entities are kept in identifier order; deleted ones stay (marked) until saved.
class CKW_API Drawing {
public:
    Drawing();

    /// Drawing-wide second identifier word, kept in the file; entities carry it as id1.
    int Stamp() const { return m_stamp; }
    void SetStamp(int stamp) { m_stamp = stamp; }  ///< sets the stamp
    /// The id0 the next new entity gets.
    int NextId() const { return m_nextId; }
    void SetNextId(int next) { m_nextId = next; }  ///< sets it (loading)

    /// Every entity, deleted ones included, in identifier order.
    const std::vector<Entity>& Entities() const { return m_entities; }
    /// Appends an entity with a new identifier pair; returns its index.
    size_t Add(Entity entity);
    /// Makes room for `count` entities in all, so that adding that many moves none of them.
    void Reserve(size_t count) { m_entities.reserve(count); }
    /// Appends an entity keeping its identifier (loading); ids must increase. False otherwise.
    bool AddLoaded(Entity entity);
    /// The entity at index (as Add returns it); changes to table entries need TablesChanged().
    Entity& At(size_t index);
    /// Index of the live or deleted entity with id0, or nothing.
    std::optional<size_t> Find(int id0) const;
    /// Marks the entity at index deleted.
    void Erase(size_t index);
    /// Table entries changed through At(): indexes are rebuilt on next use.
    void TablesChanged() { m_tablesDirty = true; }
    /// Counts the calls that could change the entities or blocks: views and indexes built from the
    /// drawing are rebuilt when it moves, and a window shows the drawing as changed.
    uint64_t Revision() const { return m_revision; }
    /// The number of entities not deleted.
    size_t LiveCount() const;

    /// Layer and line-type tables (the last entry of a number defines it).
    std::optional<LayerInfo> Layer(int number) const;
    /// Indexes of every layer entry.
    std::vector<size_t> LayerEntries() const;
    /// Changes the entry that defines the layer's number, or adds one.
    void DefineLayer(const LayerInfo& layer);
    /// counts[99] / dashes[9*99] as HostGetLineTypes gives them; type 1 is solid.
    void LineTypes(int* counts, float* dashes) const;
    /// The dashes of a line type (empty: solid or undefined).
    std::vector<float> LineTypeDashes(int number) const;
    /// Changes the entry that defines the line type, or adds one.
    void DefineLineType(int number, const std::vector<float>& dashes);
    /// The parts of a drawing besides its entities that writable access may change.
    enum class Part { Blocks, Data, Names };
    /// Called before a part may change: moves the revision and tells an undo history watching the
    /// drawing (the writable accessors call it).
    void WillChange(Part part);
    /// Removes the last count entities and gives them back (undo of additions; the next
    /// identifier is left as it is).
    std::vector<Entity> TakeLast(size_t count);

    /// The blocks by number; writable access counts as a change.
    std::map<int, Block>& Blocks() {
        WillChange(Part::Blocks);
        return m_blocks;
    }
    const std::map<int, Block>& Blocks() const { return m_blocks; }  ///< the blocks by number

    /// The drawing-level word record; empty = absent. Writable access counts as a change (the
    /// record is saved with the drawing), as for the blocks.
    std::vector<int32_t>& Data() {
        WillChange(Part::Data);
        return m_data;
    }
    const std::vector<int32_t>& Data() const { return m_data; }  ///< the drawing-level word record

    /// Named properties set by HostSetDrawingName.
    std::map<int, std::string>& Names() {
        WillChange(Part::Names);
        return m_names;
    }
    const std::map<int, std::string>& Names() const { return m_names; }  ///< the named properties

    /// GBK file name (empty for a new drawing).
    const std::string& FileName() const { return m_fileName; }
    void SetFileName(std::string name) { m_fileName = std::move(name); }  ///< sets the file name

    /// Extents of the live model entities (false when there is nothing to measure).
    bool Extents(std::array<float, 4>& box) const;

    /// The same entities, blocks, record, names, stamp and next identifier.
    bool operator==(const Drawing& other) const;

private:
    void RebuildTables() const;

    int m_stamp;
    int m_nextId = 1;
    std::vector<Entity> m_entities;
    std::map<int, Block> m_blocks;
    std::vector<int32_t> m_data;
    std::map<int, std::string> m_names;
    std::string m_fileName;
    uint64_t m_revision = 0;
    mutable bool m_tablesDirty = true;
    mutable std::map<int, size_t> m_layerIndex;
    mutable std::map<int, size_t> m_lineTypeIndex;
};

/// @}

}  // namespace ckw::engine
