#pragma once
// Draws a user table through the host engine: the visible cell borders on the table's line
// layer (heavy ones at twice its width), the texts on its text layer, each fitted into its cell.
#include "tables/UserTable.h"

namespace ckw::tables {

// Layer kinds used when a table names none.
inline constexpr const char* kDefaultTextLayer = "文字";
inline constexpr const char* kDefaultLineLayer = "表格";

// (x, y) is the table's top-left corner in drawing units; millimetres of paper are multiplied
// by scale. Needs m_pCfg.
void DrawUserTable(const UserTable& table, float x, float y, float scale);

}  // namespace ckw::tables
