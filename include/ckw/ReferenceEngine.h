#pragma once
/// @file
/// The reference host engine: a small drawing engine that implements the whole HostEngine contract
/// in memory, keeps drawings on units (unit 99 for files looked into on the side), answers
/// interaction from an input script, saves and opens .T drawing files, and exports SVG.
///
/// m_pCfg starts out pointing at DefaultEngine(), which holds one empty current drawing. A program
/// may point m_pCfg at an engine of its own.
///
/// Paths given to this C++ interface are std::filesystem paths (UTF-8 on this system); paths that
/// cross the HostEngine interface are GBK like all its text.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "CkwExport.h"
#include "EngineDrawing.h"
#include "HostEngine.h"

namespace ckw::engine {

/// @addtogroup engine
/// @{

/// Called now and then during long file operations: done out of total steps.
using Progress = std::function<void(size_t done, size_t total)>;

/// @name .T drawing files (format in ckw-t-format(5))
/// @{

/// The format version WriteDrawingFile writes.
inline constexpr int kDrawingFileVersion = 1;
/// Reads a whole drawing. On failure the drawing is left empty and error says why.
[[nodiscard]] CKW_API bool ReadDrawingFile(const std::filesystem::path& file, Drawing& drawing, std::string& error,
                                           const Progress& progress = {});
/// The same from the bytes of a file (used by the fuzzing harness).
[[nodiscard]] CKW_API bool ReadDrawingBytes(const void* bytes, size_t size, Drawing& drawing, std::string& error);
/// Reads only the drawing-level word record (fast: the entities are not touched).
[[nodiscard]] CKW_API bool ReadDrawingRecord(const std::filesystem::path& file, std::vector<int32_t>& words,
                                             std::string& error);
/// Saves atomically: the file is either the old one or the complete new one.
[[nodiscard]] CKW_API bool WriteDrawingFile(const std::filesystem::path& file, const Drawing& drawing,
                                            std::string& error, const Progress& progress = {});

/// @}

/// @name Drawing text (line-based UTF-8, format in ckw-t-format(5))
/// @{

/// Writes the drawing as text.
CKW_API void WriteDrawingText(const Drawing& drawing, std::ostream& out);
/// Reads a drawing from its text. On failure error says why (with the line).
[[nodiscard]] CKW_API bool ReadDrawingText(std::istream& in, Drawing& drawing, std::string& error);

/// Application names of the blocks in an extended-data word stream, in stream order (GBK).
CKW_API std::vector<std::string> XDataApplications(const std::vector<int32_t>& stream);

/// @}

/// @name SVG pictures
/// @{

/// How WriteSvg draws.
struct SvgOptions {
    /// Dark lines on white paper for documents; otherwise the colours on a black ground.
    bool light = false;
    /// The thinnest stroke, in pixels of the 1600-pixel-wide picture (0: a hairline of the drawing).
    double minimumStrokePixels = 0;
};
/// The drawing as an SVG picture 1600 pixels wide.
CKW_API void WriteSvg(const Drawing& drawing, std::ostream& out, const SvgOptions& options = {});
/// @}

/// @name Colours: the 256-entry index palette
/// @{

/// COLORREF 0x00BBGGRR of an index (0..255; others white).
CKW_API int ColourToRgb(int index);
/// The nearest index 1..255 of a COLORREF.
CKW_API int RgbToColour(int rgb);
/// @}

/// @name Input script
/// @{

/// One user action. A script is a list of them; an exhausted script answers [Esc].
struct InputEvent {
    /// What the user does: picks a point, moves the cursor, presses [Esc] or [TAB], types a value,
    /// chooses a file, interrupts, selects by window or crossing.
    enum class Type { Point, Move, Esc, Tab, Value, File, Break, Window, Crossing };
    Type type = Type::Esc;  ///< what the user does
    double x = 0;           ///< world coordinates of the point (Window, Crossing: the first corner)
    double y = 0;           ///< (see x)
    double x2 = 0;          ///< Window, Crossing: the second corner
    double y2 = 0;          ///< (see x2)
    double value = 0;       ///< Value
    std::string text;       ///< File: GBK path
};
/// Script text, one action per line ('#' starts a comment):
///   point X Y | move X Y | esc | tab | value V | file PATH | break | window X1 Y1 X2 Y2
///   | crossing X1 Y1 X2 Y2 (selects what lies in the box or crosses its edge)
[[nodiscard]] CKW_API bool ParseInputScript(std::string_view utf8, std::vector<InputEvent>& events, std::string& error);

/// @}

/// What an interactive call waits for, so that a person's window can show the right cursor,
/// rubber band or selection box.
enum class InputWant {
    Track,         ///< cursor tracking: moves, a point, [TAB] or [Esc] (HostTrackCursor)
    Point,         ///< one point or a key (HostGetCursorPoint, HostPickPoint, edit base points)
    Entity,        ///< a point that picks an entity within the pick aperture (HostPickEntity)
    Selection,     ///< a point or a window (HostSelectEntities)
    Value,         ///< a number (scale factor, angle of the edit commands)
    File,          ///< a file name (HostFileDialog)
    TrackOrValue,  ///< cursor tracking as Track, or a number typed (a window's own edit commands)
};

/// Where the engine's interactive calls take their answers from once the input script is used up:
/// the drawing window, where a person answers, or a script player that interleaves a modeless
/// window's actions with the engine's answers. Events the source returns are in world coordinates.
class CKW_API InputSource {
public:
    virtual ~InputSource() = default;  ///< nothing to release
    /// The next user action for a call that waits for `want` ([Esc] ends the call).
    virtual InputEvent NextInput(InputWant want) = 0;
    /// Polled by HostUserBreak while a long command runs: true when the user asked to stop.
    virtual bool UserBreak() { return false; }
};

/// The reference host engine. It implements every call of HostEngine (see there) on drawings kept
/// in memory on numbered units.
class CKW_API ReferenceEngine : public HostEngine {
public:
    /// The unit files are looked into on the side.
    static constexpr int kSideUnit = 99;

    ReferenceEngine();            ///< one empty current drawing on unit 1
    ~ReferenceEngine() override;  ///< drops every drawing
    ReferenceEngine(const ReferenceEngine&) = delete;
    ReferenceEngine& operator=(const ReferenceEngine&) = delete;

    /// @name Drawings
    /// @{

    int CurrentUnit() const;         ///< the unit of the current drawing
    std::vector<int> Units() const;  ///< the units that hold a drawing, ascending
    /// The drawing on a unit (0: the current one); null when the unit is not open.
    Drawing* DrawingOn(int unit);
    Drawing& Current();  ///< the current drawing
    /// Puts an empty drawing on unit (0: the lowest free unit) and makes it current; returns the unit.
    int NewDrawing(int unit = 0);
    /// Opens a file on unit (0: the current one) and makes it current. Read-only drawings refuse
    /// every change through the contract.
    bool Open(int unit, const std::filesystem::path& file, std::string& error, bool readOnly = false);
    /// Saves the drawing of unit (0: current) to file (empty: its own file name).
    bool Save(int unit, const std::filesystem::path& file, std::string& error);
    void Close(int unit);  ///< drops the drawing of unit (0: the current one) unsaved
    /// Replaces everything with one empty current drawing on unit 1, no input, no selection.
    void Reset();

    /// @}

    /// @name Input script and prompt line
    /// @{

    void SetInput(std::vector<InputEvent> events);  ///< replaces the pending input
    void AppendInput(const InputEvent& event);      ///< appends one action to the pending input
    /// Appends the actions of an input script; false (error says why, nothing appended) when a
    /// line cannot be read.
    bool LoadInputScript(std::string_view utf8, std::string& error);
    size_t PendingInput() const;  ///< the actions not yet used
    /// Answers the interactive calls once the script is used up (not owned; null: none, and an
    /// exhausted script answers [Esc]).
    void SetInputSource(InputSource* source);
    InputSource* GetInputSource() const;  ///< the source set, or null
    /// Search radius (drawing units) of points the user picks entities with.
    void SetPickAperture(float aperture);
    const std::string& PromptLine() const;                  ///< GBK
    const std::vector<std::string>& PromptHistory() const;  ///< every prompt shown, oldest first (GBK)
    /// When on, every prompt is also written to stderr as UTF-8.
    void EchoPrompts(bool on);
    /// Rubber-band shapes currently shown (drawn an odd number of times).
    size_t TemporaryShapes() const;
    /// The shapes themselves, for a window to paint: the entity kind first (line: x1 y1 x2 y2;
    /// polyline: x y pairs; circle, arc: their values), in world coordinates; and their colour.
    std::vector<std::vector<float>> ShownTemporaryShapes() const;
    int TemporaryColour() const;  ///< the colour of rubber-band drawing
    /// File a drawing's view calls (show, redraw, regen, refresh) counted since the start.
    int ViewCalls() const;
    /// @}

    /// @name Undo history
    /// Every drawing on a unit keeps one once asked for it (any call below starts it). A step is
    /// what changed between the outermost BeginStep and its EndStep, on every drawing with a
    /// history; what changes outside steps becomes a step of its own, without a name, when the
    /// history is next asked. Undo and Redo restore a drawing exactly (operator== and its text).
    /// They clear the engine's selection and current entity on that unit, and undoing additions
    /// removes the entities at the end: hold entities by identifier across them.
    /// @{

    /// Opens a step named gbkName on the current drawing; steps nest, only the outermost counts.
    void BeginStep(const std::string& gbkName);
    /// Closes the step; one that changed nothing is dropped.
    void EndStep();
    /// True while a step is open.
    bool InStep() const;
    bool CanUndo(int unit = 0) const;          ///< a step to undo on the unit (0: current)
    bool CanRedo(int unit = 0) const;          ///< a step undone that can be redone
    std::string UndoName(int unit = 0) const;  ///< the name of the step Undo undoes (GBK)
    std::string RedoName(int unit = 0) const;  ///< the name of the step Redo redoes (GBK)
    /// Undoes the last step; false when there is none, or a step is open.
    bool Undo(int unit = 0);
    /// Redoes the last step undone; false when there is none, or a step is open.
    bool Redo(int unit = 0);
    /// Forgets the unit's steps (its drawing as it is becomes where the history starts).
    void ClearHistory(int unit = 0);
    /// Tells the drawing's places in its history apart: a window notes it when it saves, and the
    /// drawing is unchanged when the mark is that again (after undoing back to it).
    uint64_t HistoryMark(int unit = 0) const;
    /// Memory the unit's steps take, in bytes.
    size_t HistoryBytes(int unit = 0) const;
    /// How many of the unit's oldest steps were dropped to keep within the budget, in all.
    size_t DroppedSteps(int unit = 0) const;
    /// The memory the steps of each drawing may take (default 256 MiB); the oldest go first, but
    /// the newest step stays.
    void SetHistoryBudget(size_t bytes);
    /// @}

    /// @name Selection made in a window
    /// The same selection the contract's selection calls fill and walk: what a person selects on
    /// the canvas is what the library's commands that ask for a selection get.
    /// @{

    /// Indexes of the selected live entities of the current drawing, in the order selected (empty
    /// when the selection belongs to another drawing).
    std::vector<size_t> SelectedEntities();
    /// The index of the entity of the current drawing nearest to (x, y) within `within` (tables
    /// and entities on the hidden layers excluded); nothing when none is that near.
    std::optional<size_t> NearestEntity(double x, double y, double within, const std::vector<int>& hidden = {});
    /// Selects (or with remove, unselects) the entity NearestEntity finds; false when none.
    bool SelectNearest(double x, double y, double within, bool remove = false, const std::vector<int>& hidden = {});
    /// Selects (or unselects) the entities wholly inside the box, and with crossing also those
    /// the box's edge crosses (none on the hidden layers); returns how many it met.
    size_t SelectInBox(double x1, double y1, double x2, double y2, bool crossing, bool remove = false,
                       const std::vector<int>& hidden = {});
    /// Makes these entity indexes of the current drawing the selection (erased ones left out).
    void SetSelection(const std::vector<size_t>& indexes);
    /// Counts the changes of the selection, so that a window redraws its highlight when it moves.
    uint64_t SelectionRevision() const;
    /// The next answer for a command of a window's own, as it comes: from the script, then the
    /// input source (cursor moves only while the call tracks the cursor).
    InputEvent AskInput(InputWant want);
    /// @}

    // --- HostEngine: every host call (HostCalls.def) ---
#define CKW_HOST_CALL(Result, Name, Parameters, Arguments, Logged, Fallback) Result Name Parameters override;
#include "HostCalls.def"
#undef CKW_HOST_CALL

    struct State;  ///< the engine's state (private to the engine)

private:
    std::unique_ptr<State> m;
};

/// The engine m_pCfg points at when the program starts.
CKW_API ReferenceEngine& DefaultEngine();

/// @}

}  // namespace ckw::engine
