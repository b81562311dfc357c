#pragma once
// The library's GBK text as Qt strings and back, through the one conversion module.
#include <QString>

#include <string>
#include <string_view>

#include "base/GbkText.h"

namespace ckw::qt {

inline QString FromGbk(std::string_view gbk) { return QString::fromStdString(ckw::text::GbkToUtf8(gbk)); }
inline std::string ToGbk(const QString& text) { return ckw::text::Utf8ToGbk(text.toStdString()); }

// A COLORREF (0x00BBGGRR) as a Qt colour and back.
inline QColor FromColorRef(long c) { return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)); }
inline long ToColorRef(const QColor& c) { return long(c.red()) | (long(c.green()) << 8) | (long(c.blue()) << 16); }

}  // namespace ckw::qt
