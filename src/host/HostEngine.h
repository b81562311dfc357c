#pragma once
// What the library requires of the host graphics engine. The library never draws by itself:
// every line, text, prompt, cursor interaction and stored entity datum goes through m_pCfg.
//
// Arguments are passed by reference in the engine's Fortran-style convention: 32-bit ints,
// single-precision floats, and character buffers with an explicit length or capacity. Text is GBK.
//
// Conventions every engine keeps:
// - Coordinates handed in are user coordinates (see HostSetUserCoords); angles are degrees.
// - A buffer with a capacity is never written past it. Text buffers are NUL-terminated when there
//   is room; the returned length is what counts.
// - Calls that can refuse return int: 1 done, 0 refused (nothing changed). Callers may ignore it.
// - "The current entity" is the one last found, picked, walked to, read or created; entity
//   calls without an identifier work on it.
// - "The current drawing" is the drawing unit last selected (HostSelectDrawing) or opened.
#include "CkwExport.h"

// Sizes fixed by the contract.
inline constexpr int kHostAttributeCount = 7;      // integer attribute group of an entity record
inline constexpr int kHostRecordCapacity = 8192;   // text bytes (NUL included) and values per record
inline constexpr int kHostXDataWords = 8192;       // longest extended-data word stream
inline constexpr int kHostCoordsRecordSize = 9;    // user coordinate and transform records
inline constexpr int kHostLineTypeCount = 99;      // host line types 1..99
inline constexpr int kHostDashCount = 9;           // dash values per line type
inline constexpr int kHostPickRecordSize = 6;      // HostPickPoint record

class CKW_API HostEngine {
public:
    virtual ~HostEngine() = default;

    // --- Coordinates and pen ------------------------------------------------------------------
    // record[9]: origin x, y, z; scales x, y, z; rotations about x, y, z in degrees (only the
    // z rotation matters in plan). Everything drawn afterwards is scaled, rotated and then moved
    // to the origin; cursor positions come back in the same user coordinates.
    virtual void HostSetUserCoords(const float* record) = 0;
    // Back to identity user coordinates.
    virtual void HostResetUserCoords() = 0;
    // record[9] out: the current user coordinate record (which = 0).
    virtual void HostGetUserCoords(const int& which, float* record) = 0;
    // Switches to world coordinates (identity), e.g. before the library saves and restores them.
    virtual void HostUseWorldCoords() = 0;
    // Starts a drawing sequence on the current drawing (ends rubber-band drawing).
    virtual void HostBeginDrawing() = 0;
    // Pen for everything drawn from now on: layer number, line type 1..99, width code
    // (line width x 1000), colour index; mode is 1.
    virtual void HostSetPen(const int& layer, const int& lineType, const int& widthCode, const int& colour,
                            const int& mode) = 0;
    // Colour of rubber-band drawing until the rubber band is switched off.
    virtual void HostSetTempColour(const int& colour) = 0;

    // --- Drawing (each call makes one entity with the pen; it becomes the current entity) ----
    virtual void HostDrawLine(const float& x1, const float& y1, const float& x2, const float& y2) = 0;
    // Open polyline through count points.
    virtual void HostDrawPolyline(const int& count, const float* xs, const float* ys) = 0;
    // Arc anticlockwise from startDegrees to endDegrees; a sweep of 360 or more is a circle.
    virtual void HostDrawArc(const float& cx, const float& cy, const float& radius, const float& startDegrees,
                             const float& endDegrees) = 0;
    // Polyline with per-vertex arc height (signed height of the arc over the segment to the next
    // vertex; positive bulges to the right of the segment, i.e. an anticlockwise arc), width, end
    // width (0 = same as width) and elevation. closed non-zero joins the last vertex to the first.
    virtual void HostDrawWidePolyline(const int& count, const float* xs, const float* ys, const float* arcHeights,
                                      const float* widths, const float* endWidths, const float* elevations,
                                      const int& closed) = 0;
    // Filled polygon of count corners. style and styleData[10] select a hatch pattern (0 and
    // zeros: plain); fillCode 31 fills solid, 32 draws the outline only.
    virtual void HostDrawFilledPolygon(const int& count, const float* xs, const float* ys, const int& style,
                                       const int* styleData, const int& fillCode) = 0;
    // Text of length bytes at (x, y) with character width and height. Alignment codes:
    // horizontal 101 left, 102 centre, 103 right; vertical 101 bottom, 102 middle, 103 top
    // (other values: left / bottom). Angle in degrees.
    virtual void HostDrawText(const char* text, const int& length, const float& x, const float& y,
                              const float& charWidth, const float& charHeight, const int& hAlign,
                              const int& vAlign, const float& angle) = 0;
    // Loads the drawing file path (length bytes) as block blockNumber, replacing a block of that
    // number. extents[6] out: xmin, ymin, zmin, xmax, ymax, zmax of the file's content in its own
    // units. error out: 0 = loaded; anything else = not loaded.
    virtual void HostLoadBlockFile(const char* path, const int& length, const int& blockNumber, float* extents,
                                   int& error) = 0;
    // As HostLoadBlockFile, with basePoint[3] (the file's point that becomes the block's origin),
    // transform[9] (a record as HostSetUserCoords: scales and rotation applied to the content)
    // and a block name. extents are still of the untransformed content.
    virtual void HostLoadBlockFileScaled(const char* path, const int& length, const int& blockNumber,
                                         const float* basePoint, const float* transform, const char* blockName,
                                         const int& nameLength, float* extents, int& error) = 0;
    // count out: number of entities in block blockNumber; > 0 means the number is in use.
    virtual void HostQueryBlockNumber(const int& blockNumber, int& count) = 0;
    // Inserts block blockNumber. mode 1 makes one block-insertion entity; 0 draws a copy of the
    // block's entities instead. basePoint[3]: the block's point placed at the insertion point;
    // 9999 in all three means its origin. transform[9]: insertion point, scales, rotation.
    virtual void HostInsertBlock(const int& blockNumber, const int& mode, const float* basePoint,
                                 const float* transform) = 0;
    // Intersection (x, y) of the lines through segments a and b. onA / onB out: 1 when the point
    // lies on that segment (within tolerance), 0 when only on its extension; both -1 and x, y
    // unchanged when the lines are parallel.
    virtual void HostIntersectSegments(const float& ax1, const float& ay1, const float& ax2, const float& ay2,
                                       const float& bx1, const float& by1, const float& bx2, const float& by2,
                                       const float& tolerance, float& x, float& y, int& onA, int& onB) = 0;

    // --- Line types and colours --------------------------------------------------------------
    // Defines host line type number (2-99) with count (<= 9) dash values.
    virtual void HostDefineLineType(const int& number, const int& count, const float* values) = 0;
    // counts[99]: dash count of host line types 1..99; values[9*99]: their dash values, 9 per type.
    virtual void HostGetLineTypes(int* counts, float* values) = 0;
    // rgb is a COLORREF (0x00BBGGRR). colour out: the nearest colour index 1..255.
    virtual void HostRgbToColorIndex(const int& rgb, int& colour) = 0;
    // rgb out: COLORREF of colour index 0..255 (other indexes give white).
    virtual void HostColorIndexToRgb(const int& colour, int& rgb) = 0;

    // --- Interaction ---------------------------------------------------------------------------
    // Shows text (length bytes, not NUL-terminated necessarily) on the prompt line.
    virtual void HostPrompt(const char* text, const int& length) = 0;
    virtual void HostClearPrompt() = 0;
    // Non-zero when the user interrupted the running command.
    virtual int HostUserBreak() = 0;
    // Waits for the cursor: x, y out (user coordinates); key out: 0 point picked, 1 [Esc],
    // 2 [TAB], 3 moved. An engine without input answers [Esc].
    virtual void HostTrackCursor(float& x, float& y, int& key) = 0;
    // Waits for a picked point: status out 0 picked (x, y set), 1 [Esc] or 2 [TAB] (ended).
    virtual void HostGetCursorPoint(float& x, float& y, int& status) = 0;
    // While on, polylines and lines are drawn temporarily: drawing one twice erases it.
    virtual void HostSetRubberBand(const int& on) = 0;
    virtual void HostSetSnapGroup(const int& group) = 0;
    virtual void HostSetCursorMode(const int& mode, const int& shape) = 0;

    // --- Selection and entities ----------------------------------------------------------------
    // Filters: 0 accepts every entity; n > 0 accepts the entities on layer n only.
    // Lets the user select entities (one pick or window); adds them to the selection.
    virtual void HostSelectEntities(const int& filter) = 0;
    // Adds every entity of kind (0: any kind, table entries left out) of the current drawing that
    // passes filter. To pick out the entities of one layer, pass its number as the filter.
    virtual void HostSelectAllOfKind(const int& filter, const int& kind) = 0;
    virtual void HostGetSelectionCount(int& count) = 0;
    virtual void HostClearSelection() = 0;
    // Walks entities; each call makes the next one current and reports its kind (0: none left, the
    // walk starts over; < 0: a deleted entity, skip it). scope 0 walks the selection; a drawing
    // unit walks every entity of that drawing in order.
    virtual void HostNextSelected(const int& scope, int& kind) = 0;
    // Lets the user pick an entity. x, y out: the point. status out 0 picked (kind > 0: the
    // entity, now current; kind 0: nothing there), 1 [Esc], 2 anything else.
    virtual void HostPickEntity(float& x, float& y, int& kind, int& status) = 0;
    // Hit test at (x, y) within tolerance on the current drawing. found out 1 (the entity is now
    // current, kind set) or 0 (kind 0).
    virtual void HostFindEntityAt(int& found, const float& x, const float& y, const float& tolerance,
                                  int& kind) = 0;
    // Identifier pair of the current entity (which = 0).
    virtual void HostGetEntityId(const int& which, int& id0, int& id1) = 0;
    // Makes the entity (kind, id0, id1) of drawing unit (0: the current drawing) current;
    // found out 1 or 0. kind 0 matches any kind. When nothing is found no entity is current
    // afterwards, so reads report kind < 0 and writes fail instead of hitting another entity.
    virtual void HostFindEntity(const int& unit, const int& kind, const int& id0, const int& id1, int& found) = 0;
    // Entity record buffers: kind; attributes[7] (layer, line type, width code, colour, then three
    // the engine keeps); values[capacity] (coordinates and sizes; text-like kinds 8, 9, 15, 17 hold
    // character height and width first) with valueCount; text[capacity] with textLength (at most
    // capacity - 1 bytes, NUL-terminated).
    // Reads the current entity. kind out: its kind, < 0 when there is none.
    virtual void HostReadEntity(int& kind, int* attributes, float* values, int& valueCount, char* text,
                                int& textLength, const int& capacity) = 0;
    // Reads the first selected entity and makes it current (kind < 0: nothing selected).
    virtual void HostReadSelectedEntity(int& kind, int* attributes, float* values, int& valueCount, char* text,
                                        int& textLength, const int& capacity) = 0;
    // Writes the current entity from the buffers, with the pending update stream (HostSetXData)
    // as its extended data when one is set and the attributes set by HostSetEntityAttribute.
    // writeMode -2 deletes the entity; flag is 0. iFail out: 0 written, 1 failed.
    virtual void HostUpdateEntity(const int& kind, const int* attributes, const float* values,
                                  const int& valueCount, const char* text, const int& textLength,
                                  const int& capacity, const int& flag, const int& writeMode, int& iFail) = 0;
    // Sets one attribute of the current entity: 1 layer, 2 line type, 3 line width, 4 colour.
    // It holds also against the buffers of the next HostUpdateEntity.
    virtual void HostSetEntityAttribute(const int& which, const int& value) = 0;
    // Edit command on the selection, asking the user for what it needs: 8 scale (base point,
    // factor), 7 rotate (base point, degrees), 3 erase.
    virtual void HostRunEditCommand(const int& command) = 0;
    // Moves the selection by a displacement the user gives (base point, then destination);
    // dx, dy out (0 when cancelled). mode is 0.
    virtual void HostMoveSelection(float& dx, float& dy, const int& mode) = 0;

    // --- Extended data -------------------------------------------------------------------------
    // Word streams hold at most kHostXDataWords words; longer ones are refused.
    // The current entity's stream into words[capacity]; count out (0 when it has none; when the
    // stream does not fit, nothing is copied and count is minus its length).
    virtual void HostGetXData(int& count, int* words, const int& capacity) = 0;
    // Pending update stream, carried by the next HostUpdateEntity; count 0 clears it.
    virtual int HostSetXData(const int& count, const int* words) = 0;
    // Pending new-entity stream, attached to every entity created while it is set; count 0 clears.
    virtual int HostSetNewEntityXData(const int& count, const int* words) = 0;
    virtual void HostGetNewEntityXData(int& count, int* words, const int& capacity) = 0;
    // The drawing-level word record. unit selects the drawing (0: the current one), record the
    // record (0), reserved is 0. Positions are 1-based; reads and writes start at the position
    // and advance it. A read or write that would pass the end is refused whole.
    // Creates the record with length zero words, replacing an existing one.
    virtual int HostCreateDrawingData(const int& unit, const int& record, const int& length, const int& reserved) = 0;
    // Changes the record's length, keeping its leading words (new words are zero).
    virtual int HostResizeDrawingData(const int& unit, const int& record, const int& length, const int& reserved) = 0;
    // length out: the record's length in words, 0 when it does not exist.
    virtual void HostGetDrawingDataSize(const int& unit, const int& record, int& length, const int& reserved) = 0;
    virtual int HostSeekDrawingData(const int& unit, const int& record, const int& position, const int& reserved) = 0;
    virtual int HostReadDrawingData(const int& unit, const int& record, int* words, const int& count,
                                    const int& reserved) = 0;
    virtual int HostWriteDrawingData(const int& unit, const int& record, const int* words, const int& count,
                                     const int& reserved) = 0;

    // --- Drawings ------------------------------------------------------------------------------
    virtual void HostGetCurrentDrawing(int& unit) = 0;
    // File name of a drawing unit into buffer[capacity]; length out (0: none).
    virtual void HostGetDrawingFileName(const int& unit, char* buffer, const int& capacity, int& length) = 0;
    // Opens drawing file path (length bytes, at most capacity) on unit for work and makes it
    // current; a drawing already on the unit is closed first.
    virtual int HostOpenDrawing(const int& unit, const char* path, const int& capacity, const int& length) = 0;
    // Closes a unit without saving. When it was current, the lowest open unit becomes current;
    // the engine always keeps one drawing.
    virtual void HostCloseDrawing(const int& unit) = 0;
    // As HostOpenDrawing / HostCloseDrawing, read-only (used to look into files on unit 99).
    virtual int HostOpenDrawingFile(const int& unit, const char* path, const int& capacity, const int& length) = 0;
    virtual void HostCloseDrawingFile(const int& unit) = 0;
    virtual void HostSelectDrawing(const int& unit) = 0;
    // Notes that the caller is done with the unit's current state (nothing the library relies on).
    virtual void HostSaveDrawingState(const int& unit) = 0;
    virtual void HostShowDrawing() = 0;
    virtual void HostRedraw() = 0;
    virtual void HostRegen() = 0;
    virtual void HostRefreshAll() = 0;
    // Keeps a name of the current drawing (which 12: where its content was copied from). Never
    // changes the file the drawing is saved to.
    virtual void HostSetDrawingName(const int& which, const char* name, const int& length) = 0;
    // File dialog: pattern (e.g. "*.T", at most patternCapacity bytes); path in: initial text,
    // out: the chosen path (at most pathCapacity - 1 bytes). length out: its length, 0 = cancelled.
    virtual void HostFileDialog(const char* pattern, const int& patternCapacity, char* path,
                                const int& pathCapacity, int& length) = 0;
    // Layer table of a drawing unit (0: the current one), entries numbered from 1.
    virtual void HostBeginLayerTable(const int& unit) = 0;
    virtual void HostGetLayerCount(int& count) = 0;
    // layer out: its number; flag out: 0 in use, 1 or more switched off or deleted.
    virtual void HostGetLayerEntry(const int& index, int& layer, int& flag) = 0;
    // Name of entry index into buffer[capacity]; length out: the name's full length (only
    // capacity bytes are copied; no NUL when it fills the buffer), -1 when there is no such entry.
    virtual void HostGetLayerEntryName(const int& index, char* buffer, const int& capacity, int& length) = 0;
    // Name of layer number on drawing unit (0: current) as HostGetLayerEntryName; 0 when unknown.
    virtual void HostGetLayerName(const int& unit, const int& layer, char* buffer, const int& capacity,
                                  int& length) = 0;

    // --- Copying between drawings --------------------------------------------------------------
    // Lets the user pick a point: record[6] out: the point in world coordinates (x, y, z), then in
    // user coordinates (x, y, z). status out 0 picked, 1 [Esc].
    virtual void HostPickPoint(float* record, int& status) = 0;
    // Copies the current entity (of kind) into the current drawing, placed through the current
    // user coordinates; a block insertion brings its block along.
    virtual void HostCopyEntityToCurrent(const int& kind) = 0;
    // Replaces the record of the current entity in memory (no extended data, no write mode), e.g.
    // before copying it.
    virtual void HostRewriteEntityBuffers(const int& kind, const int* attributes, const float* values,
                                          const int& valueCount, const char* text, const int& textLength) = 0;
};

// The engine the library talks to; defined by the engine library. May be null.
extern CKW_API HostEngine* m_pCfg;
