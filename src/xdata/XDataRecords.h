#pragma once
// Heap records handed to callers by the readers, and their release.
#include <span>
#include <string_view>
#include <vector>

#include "base/XDataParser.h"

namespace ckw::xdata {

// A heap copy of text in a buffer of `size` bytes (at least its length plus one), zero-filled.
char* NewString(std::string_view text, std::size_t size);

// Appends one heap record per parsed value; a string of W stored words gets 4*W + 1 bytes.
void AppendRecords(const std::vector<ParsedItem>& items, XDataItemList& list);

// The single-application readers' result: appends the values of the first complete block whose
// name key is nameKey and returns 1; when there is none, releases every record the list holds,
// empties it and returns 0.
int AppendNamedBlock(std::span<const Word> stream, std::string_view nameKey, XDataItemList& list);

// Appends one block record per parsed block whose upper-cased name is not empty; appName is
// that upper-cased name. Returns how many were appended.
int AppendBlockRecords(const std::vector<ParsedBlock>& blocks, XDataBlockList& list);

// The caller's name as stored by the writers: exactly as passed (null reads as empty).
inline std::string_view StoredName(const char* appName) {
    return appName ? std::string_view(appName) : std::string_view();
}

// The blocks of a caller's list as the encoder takes them (null blocks left out).
std::vector<NamedItems> NamedBlocks(const XDataBlockList& list);

}  // namespace ckw::xdata
