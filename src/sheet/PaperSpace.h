#pragma once
// Commands that draw at the sheet's own size in paper-space drawings (drawing kind 2005): the
// drawing kind from the drawing information record, and a guard that works in world coordinates
// for the command's duration and gives the user coordinates back on every way out.
namespace ckw::geom {

inline constexpr int kPaperSpaceKind = 2005;
// The other drawing kind the library knows, drawn at the drawing's scale.
inline constexpr int kModelSpaceKind = 2008;

// The drawing kind (sixth value of "$Kelo_DrawInfo_0"); 0 when the drawing has none.
int CurrentDrawingKind();

class PaperSpaceGuard {
public:
    PaperSpaceGuard();
    ~PaperSpaceGuard();
    PaperSpaceGuard(const PaperSpaceGuard&) = delete;
    PaperSpaceGuard& operator=(const PaperSpaceGuard&) = delete;
    bool PaperSpace() const { return m_paperSpace; }

private:
    bool m_paperSpace = false;
    float m_saved[9] = {};
};

}  // namespace ckw::geom
