#pragma once
// The engine's and the library's GBK text as Qt strings and back, through the one conversion module.
#include <QString>
#include <string>

#include "base/GbkText.h"

namespace kwdraw {

inline QString FromGbk(const std::string& gbk) { return QString::fromStdString(ckw::text::GbkToUtf8(gbk)); }
inline std::string ToGbk(const QString& text) { return ckw::text::Utf8ToGbk(text.toStdString()); }

}  // namespace kwdraw
