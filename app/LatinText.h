#pragma once
#include <QFile>
#include <QString>

#include <string>
#include <string_view>

// Texts are Latin-1 bytes inside the program; widgets take QStrings.
inline QString L1(const std::string& text) { return QString::fromLatin1(text.data(), static_cast<int>(text.size())); }
inline QString L1(const char* text) { return QString::fromLatin1(text); }
inline QString L1(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string Latin(const QString& text) { return text.toLatin1().toStdString(); }

// File paths are the system's bytes (UTF-8), not Latin-1 texts.
inline QString PathText(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }
inline std::string PathBytes(const QString& path) { return QFile::encodeName(path).toStdString(); }
