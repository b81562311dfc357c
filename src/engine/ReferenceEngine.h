#pragma once
// The reference host engine: a small drawing engine that implements the whole HostEngine contract
// in memory, keeps drawings on units (unit 99 for files looked into on the side), answers
// interaction from an input script, saves and opens .T drawing files, and exports SVG.
//
// m_pCfg starts out pointing at DefaultEngine(), which holds one empty current drawing. A program
// may point m_pCfg at an engine of its own.
//
// Paths given to this C++ interface are std::filesystem paths (UTF-8 on this system); paths that
// cross the HostEngine interface are GBK like all its text.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "CkwExport.h"
#include "EngineDrawing.h"
#include "HostEngine.h"

namespace ckw::engine {

// Called now and then during long file operations: done out of total steps.
using Progress = std::function<void(size_t done, size_t total)>;

// --- .T drawing files (format in docs/t-format.md) -------------------------------------------
inline constexpr int kDrawingFileVersion = 1;
// Reads a whole drawing. On failure the drawing is left empty and error says why.
CKW_API bool ReadDrawingFile(const std::filesystem::path& file, Drawing& drawing, std::string& error,
                             const Progress& progress = {});
// The same from the bytes of a file (used by the fuzzing harness).
CKW_API bool ReadDrawingBytes(const void* bytes, size_t size, Drawing& drawing, std::string& error);
// Reads only the drawing-level word record (fast: the entities are not touched).
CKW_API bool ReadDrawingRecord(const std::filesystem::path& file, std::vector<int32_t>& words, std::string& error);
// Saves atomically: the file is either the old one or the complete new one.
CKW_API bool WriteDrawingFile(const std::filesystem::path& file, const Drawing& drawing, std::string& error,
                              const Progress& progress = {});

// --- Drawing text (line-based UTF-8, format in docs/t-format.md) -------------------------------
CKW_API void WriteDrawingText(const Drawing& drawing, std::ostream& out);
CKW_API bool ReadDrawingText(std::istream& in, Drawing& drawing, std::string& error);

// Application names of the blocks in an extended-data word stream, in stream order (GBK).
CKW_API std::vector<std::string> XDataApplications(const std::vector<int32_t>& stream);

// --- SVG ---------------------------------------------------------------------------------------
struct SvgOptions {
    // Dark lines on white paper for documents; otherwise the colours on a black ground.
    bool light = false;
    // The thinnest stroke, in pixels of the 1600-pixel-wide picture (0: a hairline of the drawing).
    double minimumStrokePixels = 0;
};
CKW_API void WriteSvg(const Drawing& drawing, std::ostream& out, const SvgOptions& options = {});

// --- Colours: the 256-entry index palette -----------------------------------------------------
// COLORREF 0x00BBGGRR of an index (0..255; others white); nearest index 1..255 of a COLORREF.
CKW_API int ColourToRgb(int index);
CKW_API int RgbToColour(int rgb);

// --- Input script ----------------------------------------------------------------------------
// One user action. A script is a list of them; an exhausted script answers [Esc].
struct InputEvent {
    enum class Type { Point, Move, Esc, Tab, Value, File, Break, Window };
    Type type = Type::Esc;
    double x = 0, y = 0, x2 = 0, y2 = 0;  // world coordinates; Window: two corners
    double value = 0;                     // Value
    std::string text;                     // File: GBK path
};
// Script text, one action per line ('#' starts a comment):
//   point X Y | move X Y | esc | tab | value V | file PATH | break | window X1 Y1 X2 Y2
CKW_API bool ParseInputScript(std::string_view utf8, std::vector<InputEvent>& events, std::string& error);

// What an interactive call waits for, so that a person's window can show the right cursor,
// rubber band or selection box.
enum class InputWant {
    Track,      // cursor tracking: moves, a point, [TAB] or [Esc] (HostTrackCursor)
    Point,      // one point or a key (HostGetCursorPoint, HostPickPoint, edit base points)
    Entity,     // a point that picks an entity within the pick aperture (HostPickEntity)
    Selection,  // a point or a window (HostSelectEntities)
    Value,      // a number (scale factor, angle of the edit commands)
    File,       // a file name (HostFileDialog)
};

// Where the engine's interactive calls take their answers from once the input script is used up:
// the drawing window, where a person answers, or a script player that interleaves a modeless
// window's actions with the engine's answers. Events the source returns are in world coordinates.
class CKW_API InputSource {
public:
    virtual ~InputSource() = default;
    // The next user action for a call that waits for `want` ([Esc] ends the call).
    virtual InputEvent NextInput(InputWant want) = 0;
    // Polled by HostUserBreak while a long command runs: true when the user asked to stop.
    virtual bool UserBreak() { return false; }
};

class CKW_API ReferenceEngine : public HostEngine {
public:
    static constexpr int kSideUnit = 99;

    ReferenceEngine();
    ~ReferenceEngine() override;
    ReferenceEngine(const ReferenceEngine&) = delete;
    ReferenceEngine& operator=(const ReferenceEngine&) = delete;

    // --- Drawings ---
    int CurrentUnit() const;
    std::vector<int> Units() const;
    // The drawing on a unit (0: the current one); null when the unit is not open.
    Drawing* DrawingOn(int unit);
    Drawing& Current();
    // Puts an empty drawing on unit (0: the lowest free unit) and makes it current; returns the unit.
    int NewDrawing(int unit = 0);
    // Opens a file on unit (0: the current one) and makes it current. Read-only drawings refuse
    // every change through the contract.
    bool Open(int unit, const std::filesystem::path& file, std::string& error, bool readOnly = false);
    // Saves the drawing of unit (0: current) to file (empty: its own file name).
    bool Save(int unit, const std::filesystem::path& file, std::string& error);
    void Close(int unit);
    // Replaces everything with one empty current drawing on unit 1, no input, no selection.
    void Reset();

    // --- Input script and prompt line ---
    void SetInput(std::vector<InputEvent> events);
    void AppendInput(const InputEvent& event);
    bool LoadInputScript(std::string_view utf8, std::string& error);
    size_t PendingInput() const;
    // Answers the interactive calls once the script is used up (not owned; null: none, and an
    // exhausted script answers [Esc]).
    void SetInputSource(InputSource* source);
    InputSource* GetInputSource() const;
    // Search radius (drawing units) of points the user picks entities with.
    void SetPickAperture(float aperture);
    const std::string& PromptLine() const;            // GBK
    const std::vector<std::string>& PromptHistory() const;
    // When on, every prompt is also written to stderr as UTF-8.
    void EchoPrompts(bool on);
    // Rubber-band shapes currently shown (drawn an odd number of times).
    size_t TemporaryShapes() const;
    // File a drawing's view calls (show, redraw, regen, refresh) counted since the start.
    int ViewCalls() const;

    // --- HostEngine ---
    void HostSetUserCoords(const float* record) override;
    void HostResetUserCoords() override;
    void HostGetUserCoords(const int& which, float* record) override;
    void HostUseWorldCoords() override;
    void HostBeginDrawing() override;
    void HostSetPen(const int& layer, const int& lineType, const int& widthCode, const int& colour,
                    const int& mode) override;
    void HostSetTempColour(const int& colour) override;
    void HostDrawLine(const float& x1, const float& y1, const float& x2, const float& y2) override;
    void HostDrawPolyline(const int& count, const float* xs, const float* ys) override;
    void HostDrawArc(const float& cx, const float& cy, const float& radius, const float& startDegrees,
                     const float& endDegrees) override;
    void HostDrawWidePolyline(const int& count, const float* xs, const float* ys, const float* arcHeights,
                              const float* widths, const float* endWidths, const float* elevations,
                              const int& closed) override;
    void HostDrawFilledPolygon(const int& count, const float* xs, const float* ys, const int& style,
                               const int* styleData, const int& fillCode) override;
    void HostDrawText(const char* text, const int& length, const float& x, const float& y, const float& charWidth,
                      const float& charHeight, const int& hAlign, const int& vAlign, const float& angle) override;
    void HostLoadBlockFile(const char* path, const int& length, const int& blockNumber, float* extents,
                           int& error) override;
    void HostLoadBlockFileScaled(const char* path, const int& length, const int& blockNumber, const float* basePoint,
                                 const float* transform, const char* blockName, const int& nameLength,
                                 float* extents, int& error) override;
    void HostQueryBlockNumber(const int& blockNumber, int& count) override;
    void HostInsertBlock(const int& blockNumber, const int& mode, const float* basePoint,
                         const float* transform) override;
    void HostIntersectSegments(const float& ax1, const float& ay1, const float& ax2, const float& ay2,
                               const float& bx1, const float& by1, const float& bx2, const float& by2,
                               const float& tolerance, float& x, float& y, int& onA, int& onB) override;
    void HostDefineLineType(const int& number, const int& count, const float* values) override;
    void HostGetLineTypes(int* counts, float* values) override;
    void HostRgbToColorIndex(const int& rgb, int& colour) override;
    void HostColorIndexToRgb(const int& colour, int& rgb) override;
    void HostPrompt(const char* text, const int& length) override;
    void HostClearPrompt() override;
    int HostUserBreak() override;
    void HostTrackCursor(float& x, float& y, int& key) override;
    void HostGetCursorPoint(float& x, float& y, int& status) override;
    void HostSetRubberBand(const int& on) override;
    void HostSetSnapGroup(const int& group) override;
    void HostSetCursorMode(const int& mode, const int& shape) override;
    void HostSelectEntities(const int& filter) override;
    void HostSelectAllOfKind(const int& filter, const int& kind) override;
    void HostGetSelectionCount(int& count) override;
    void HostClearSelection() override;
    void HostNextSelected(const int& scope, int& kind) override;
    void HostPickEntity(float& x, float& y, int& kind, int& status) override;
    void HostFindEntityAt(int& found, const float& x, const float& y, const float& tolerance, int& kind) override;
    void HostGetEntityId(const int& which, int& id0, int& id1) override;
    void HostFindEntity(const int& unit, const int& kind, const int& id0, const int& id1, int& found) override;
    void HostReadEntity(int& kind, int* attributes, float* values, int& valueCount, char* text, int& textLength,
                        const int& capacity) override;
    void HostReadSelectedEntity(int& kind, int* attributes, float* values, int& valueCount, char* text,
                                int& textLength, const int& capacity) override;
    void HostUpdateEntity(const int& kind, const int* attributes, const float* values, const int& valueCount,
                          const char* text, const int& textLength, const int& capacity, const int& flag,
                          const int& writeMode, int& iFail) override;
    void HostSetEntityAttribute(const int& which, const int& value) override;
    void HostRunEditCommand(const int& command) override;
    void HostMoveSelection(float& dx, float& dy, const int& mode) override;
    void HostGetXData(int& count, int* words, const int& capacity) override;
    int HostSetXData(const int& count, const int* words) override;
    int HostSetNewEntityXData(const int& count, const int* words) override;
    void HostGetNewEntityXData(int& count, int* words, const int& capacity) override;
    int HostCreateDrawingData(const int& unit, const int& record, const int& length, const int& reserved) override;
    int HostResizeDrawingData(const int& unit, const int& record, const int& length, const int& reserved) override;
    void HostGetDrawingDataSize(const int& unit, const int& record, int& length, const int& reserved) override;
    int HostSeekDrawingData(const int& unit, const int& record, const int& position, const int& reserved) override;
    int HostReadDrawingData(const int& unit, const int& record, int* words, const int& count,
                            const int& reserved) override;
    int HostWriteDrawingData(const int& unit, const int& record, const int* words, const int& count,
                             const int& reserved) override;
    void HostGetCurrentDrawing(int& unit) override;
    void HostGetDrawingFileName(const int& unit, char* buffer, const int& capacity, int& length) override;
    int HostOpenDrawing(const int& unit, const char* path, const int& capacity, const int& length) override;
    void HostCloseDrawing(const int& unit) override;
    int HostOpenDrawingFile(const int& unit, const char* path, const int& capacity, const int& length) override;
    void HostCloseDrawingFile(const int& unit) override;
    void HostSelectDrawing(const int& unit) override;
    void HostSaveDrawingState(const int& unit) override;
    void HostShowDrawing() override;
    void HostRedraw() override;
    void HostRegen() override;
    void HostRefreshAll() override;
    void HostSetDrawingName(const int& which, const char* name, const int& length) override;
    void HostFileDialog(const char* pattern, const int& patternCapacity, char* path, const int& pathCapacity,
                        int& length) override;
    void HostBeginLayerTable(const int& unit) override;
    void HostGetLayerCount(int& count) override;
    void HostGetLayerEntry(const int& index, int& layer, int& flag) override;
    void HostGetLayerEntryName(const int& index, char* buffer, const int& capacity, int& length) override;
    void HostGetLayerName(const int& unit, const int& layer, char* buffer, const int& capacity,
                          int& length) override;
    void HostPickPoint(float* record, int& status) override;
    void HostCopyEntityToCurrent(const int& kind) override;
    void HostRewriteEntityBuffers(const int& kind, const int* attributes, const float* values, const int& valueCount,
                                  const char* text, const int& textLength) override;

    struct State;

private:
    std::unique_ptr<State> m;
};

// The engine m_pCfg points at when the program starts.
CKW_API ReferenceEngine& DefaultEngine();

}  // namespace ckw::engine
