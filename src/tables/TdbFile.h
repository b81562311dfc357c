#pragma once
// .TDB table files: the text form of a user table (docs/tdb-format.md). Reading trusts none of
// the file's counts: a damaged file is refused with a message (GBK) that names the line.
#include <string>
#include <string_view>

#include "tables/UserTable.h"

namespace ckw::tables {

// Written for an empty text and for a layer kind left to the default.
inline constexpr std::string_view kEmptyText = "$$$$";
// The longest cell text a file may hold, in bytes: what the host takes in one text.
inline constexpr size_t kMaxCellText = 8191;

std::string WriteTdb(const UserTable& table);
// table is changed only on success.
bool ReadTdb(std::string_view bytes, UserTable& table, std::string& why);

// Paths are GBK. Saving writes a new file next to the old one and renames it over it.
bool LoadTdbFile(const std::string& pathGbk, UserTable& table, std::string& why);
bool SaveTdbFile(const std::string& pathGbk, const UserTable& table, std::string& why);

}  // namespace ckw::tables
