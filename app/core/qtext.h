#pragma once
// Windows-1251 model text <-> QString, used only where text meets a widget.
#include <QString>
#include <string>
#include <string_view>

#include "cp1251.h"

namespace lx {

inline QString ToQ(std::string_view cp1251) {
  const std::u16string u = DecodeCp1251(cp1251);
  return QString::fromUtf16(u.data(), static_cast<qsizetype>(u.size()));
}

inline std::string FromQ(const QString& text) {
  return EncodeCp1251(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                          static_cast<size_t>(text.size())));
}

}  // namespace lx
