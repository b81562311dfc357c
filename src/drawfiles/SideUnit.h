#pragma once
// The drawing unit the drawing-file commands look into other files on.
namespace ckw::drawfiles {

inline constexpr int kSideUnit = 99;

// Unit 99, unless a drawing is open there (the user may work on unit 99): then the highest unit
// below it that holds no drawing, so that borrowing it never closes a drawing of the user's.
// The selected drawing is left as it was.
int FreeSideUnit();

}  // namespace ckw::drawfiles
