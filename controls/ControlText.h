#pragma once
#include <QString>
#include <string>
#include <string_view>

// Texts stay Latin-1 bytes everywhere but at the Qt boundary: every
// conversion between the two is one of these.
inline QString FromLatin1(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}
inline QString FromLatin1(const std::string& text) { return FromLatin1(std::string_view(text)); }
// A C text ends at its first 0 byte.
inline QString FromLatin1(const char* text) { return QString::fromLatin1(text); }
inline std::string ToLatin1(const QString& text) {
  const QByteArray bytes = text.toLatin1();
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}
