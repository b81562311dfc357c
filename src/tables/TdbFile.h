#pragma once
// .TDB table files: the text form of a user table (docs/tdb-format.md). Reading trusts none of
// the file's counts: a damaged file is refused with a message (GBK) that names the line.
#include <string>
#include <string_view>

#include "base/Status.h"
#include "tables/UserTable.h"

namespace ckw::tables {

// Written for an empty text and for a layer kind left to the default.
inline constexpr std::string_view kEmptyText = "$$$$";
// The longest cell text a file may hold, in bytes: what the host takes in one text.
inline constexpr size_t kMaxCellText = 8191;

std::string WriteTdb(const UserTable& table);
// table is changed only on success; a refusal names the faulty line (GBK).
Status ReadTdb(std::string_view bytes, UserTable& table);

// Paths are GBK. Saving writes a new file next to the old one and renames it over it.
Status LoadTdbFile(const std::string& pathGbk, UserTable& table);
Status SaveTdbFile(const std::string& pathGbk, const UserTable& table);

}  // namespace ckw::tables
