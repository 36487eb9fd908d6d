#pragma once
#include <QFile>
#include <QString>
#include <string>
#include <string_view>

#include "controls/ControlText.h"

// The window's short names for the Latin-1 conversions of controls/ControlText.
inline QString L1(const std::string& text) { return FromLatin1(text); }
inline QString L1(const char* text) { return FromLatin1(text); }
inline QString L1(std::string_view text) { return FromLatin1(text); }
inline std::string Latin(const QString& text) { return ToLatin1(text); }

// File paths are the system's bytes (UTF-8), not Latin-1 texts.
inline QString PathText(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }
inline std::string PathBytes(const QString& path) { return QFile::encodeName(path).toStdString(); }
