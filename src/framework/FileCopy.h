#pragma once
// Whole-file copies that never leave a half-written target: the copy is written next to the
// target and renamed over it.
#include <string>

namespace ckw::fs {

// Paths in UTF-8. Replaces target if it exists. false = not copied; the target is as it was.
[[nodiscard]] bool CopyFileReplacing(const std::string& sourceUtf8, const std::string& targetUtf8);

}  // namespace ckw::fs
