#include "ExactValues.h"

#include <cctype>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "EditorDocument.h"

namespace {
// The field's place in the record. The record is packed, so its doubles are
// copied in and out, never reached through a reference or a pointer.
size_t OffsetOf(ExactField field) {
  switch (field) {
    case ExactField::X:
      return offsetof(Element3D, x);
    case ExactField::Y:
      return offsetof(Element3D, y);
    case ExactField::Z:
      return offsetof(Element3D, z);
    case ExactField::DX:
      return offsetof(Element3D, dx);
    case ExactField::DY:
      return offsetof(Element3D, dy);
    case ExactField::DZ:
      return offsetof(Element3D, dz);
    case ExactField::Axy:
      return offsetof(Element3D, axy);
    case ExactField::Ayz:
      return offsetof(Element3D, ayz);
    case ExactField::Axz:
      break;
  }
  return offsetof(Element3D, axz);
}
}  // namespace

double FieldOf(const Element3D& e, ExactField field) {
  double value;
  std::memcpy(&value, reinterpret_cast<const char*>(&e) + OffsetOf(field), sizeof value);
  return value;
}

void SetFieldOf(Element3D& e, ExactField field, double value) {
  std::memcpy(reinterpret_cast<char*>(&e) + OffsetOf(field), &value, sizeof value);
}

bool ParseTypedNumber(const std::string& text, double* value) {
  size_t b = 0, end = text.size();
  while (b < end && std::isspace(static_cast<unsigned char>(text[b]))) ++b;
  while (end > b && std::isspace(static_cast<unsigned char>(text[end - 1]))) --end;
  std::string plain;  // in the C locale's form, for strtod
  size_t i = b;
  if (i < end && (text[i] == '-' || text[i] == '+')) plain += text[i++];
  int digits = 0;
  bool point = false;
  for (; i < end; ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') {
      plain += c;
      ++digits;
    } else if ((c == '.' || c == ',') && !point) {
      plain += '.';
      point = true;
    } else {
      return false;
    }
  }
  // A long run of digits is no typed value; it also bounds strtod's work.
  if (digits == 0 || digits > 30) return false;
  const double v = std::strtod(plain.c_str(), nullptr);
  if (!std::isfinite(v) || std::fabs(v) > kMaxTypedValue) return false;
  *value = v == 0 ? 0.0 : v;  // no "-0" in a box
  return true;
}

std::string FormatTypedNumber(double value) {
  if (!std::isfinite(value)) return {};
  char buffer[400];
  std::snprintf(buffer, sizeof buffer, "%.6f", value);
  std::string s = buffer;
  while (!s.empty() && s.back() == '0') s.pop_back();
  if (!s.empty() && s.back() == '.') s.pop_back();
  if (s == "-0") s = "0";
  return s;
}

ExactEdit SetSelectedField(EditorDocument& doc, ExactField field, const std::string& text) {
  double v = 0;
  if (!ParseTypedNumber(text, &v)) return ExactEdit::NotANumber;
  if (IsSizeField(field) && !(v > 0)) return ExactEdit::SizeNotPositive;
  if (doc.SelectionCount() == 0) return ExactEdit::NothingSelected;
  bool changes = false;
  for (int32_t k = 0; k < doc.SelectionCount() && !changes; ++k) {
    const int32_t i = doc.SelectedIndex(k);
    changes = i >= 0 && i < doc.Count() && !(FieldOf(doc.Element(i), field) == v);
  }
  if (!changes) return ExactEdit::Unchanged;
  doc.PushUndo(StepName::ExactValues);
  for (int32_t k = 0; k < doc.SelectionCount(); ++k) {
    const int32_t i = doc.SelectedIndex(k);
    if (i >= 0 && i < doc.Count()) SetFieldOf(doc.Element(i), field, v);
  }
  return ExactEdit::Applied;
}
