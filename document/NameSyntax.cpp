#include "NameSyntax.h"

#include <vector>

#include "Element3D.h"
#include "common/Latin1.h"
#include "common/NumberText.h"
#include "common/TIMem32.h"

namespace {
std::vector<std::string> Fields(const std::string& text) {
  std::vector<std::string> out;
  size_t start = 0;
  while (true) {
    const size_t bar = text.find('|', start);
    out.push_back(text.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    if (bar == std::string::npos) return out;
    start = bar + 1;
  }
}

std::string FieldOr(const std::vector<std::string>& f, size_t k, const std::string& fallback) {
  return k <= f.size() ? f[k - 1] : fallback;
}

std::string WithoutExtension(const std::string& file) {
  const size_t dot = file.rfind('.');
  const size_t slash = file.find_last_of("/\\");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return file;
  return file.substr(0, dot);
}

// Text before the first `c`, or all of it.
std::string Before(const std::string& s, char c) {
  const size_t p = s.find(c);
  return p == std::string::npos ? s : s.substr(0, p);
}
}  // namespace

NameFields ParseElementName(const std::string& name) {
  NameFields f;
  if (name.find('|') == std::string::npos) {
    f.nome = name;
    return f;
  }
  if (name[0] == '!') {
    std::string rest = name.substr(1);
    const size_t bar = rest.find('|');
    f.nome = rest.substr(0, bar);
    rest.erase(0, bar + 1);
    const size_t eq = rest.find('=');
    if (eq != std::string::npos) {
      f.propriedade = Latin1Lower(Trim(rest.substr(0, eq)));
      rest.erase(0, eq + 1);
    } else {
      f.propriedade = "texto";
    }
    const size_t bar2 = rest.find('|');
    if (bar2 != std::string::npos) {
      f.tag = rest.substr(0, bar2);
      f.formato = Before(rest.substr(bar2 + 1), '|');
    } else {
      f.tag = Trim(rest);
    }
    return f;
  }
  if (name.compare(0, 8, "@escala|") == 0) {
    f.form = NameFields::Scale;
    const std::vector<std::string> v = Fields(name.size() > 10 ? name.substr(10) : std::string());
    f.max = FieldOr(v, 1, "");
    f.min = FieldOr(v, 2, "");
    f.div1 = FieldOr(v, 3, "");
    f.div2 = FieldOr(v, 4, "");
    return f;
  }
  if (name[0] == '#') {
    f.form = NameFields::SubObject;
    const std::vector<std::string> v = Fields(name.substr(1));
    f.arquivo = WithoutExtension(v[0]);
    f.estados = FieldOr(v, 5, "0");
    f.atual = FieldOr(v, 6, "1");
    f.tagArquivo = FieldOr(v, 3, "");
    f.nome = FieldOr(v, 8, "");
    return f;
  }
  return f;  // another name with "|": nothing to show
}

std::string AssembleElementName(const NameFields& f) {
  switch (f.form) {
    case NameFields::Scale:
      return "@escala|v|" + f.max + "|" + f.min + "|" + f.div1 + "|" + f.div2 + "|";
    case NameFields::SubObject:
      return "#" + f.arquivo + "|0|" + f.tagArquivo + "|0|" + f.estados + "|" + f.atual + "|0|" + f.nome + "|1";
    case NameFields::Normal:
      break;
  }
  if (!Trim(f.tag).empty()) return "!" + f.nome + "|" + f.propriedade + "=" + f.tag + "|" + f.formato;
  return f.nome;
}

std::string ListLineText(const std::string& t) {
  if (!t.empty() && t[0] == '!') {
    const std::string rest = t.substr(1);
    const size_t bar = rest.find('|');
    if (bar == std::string::npos) return rest;
    std::string after = rest.substr(bar + 1);
    const size_t eq = after.find('=');
    if (eq != std::string::npos) after.erase(0, eq + 1);
    return rest.substr(0, bar) + "    (" + Before(after, '|') + ")";
  }
  if (t.compare(0, 8, "@escala|") == 0) return " ESCALA ";
  if (!t.empty() && t[0] == '#') {
    const std::string rest = t.substr(1);
    if (rest.find('|') == std::string::npos) return rest;
    const std::vector<std::string> v = Fields(rest);
    return v[0] + "    (" + FieldOr(v, 3, "") + ")";
  }
  return t;
}

std::string SizeLine(double dx, double dy, double dz) {
  return "(" + FormatGeneral(dx * 10) + "cm," + FormatGeneral(dy * 10) + "cm," + FormatGeneral(dz * 10) + "cm)";
}

std::string AcceptedNewName(const TIMem32& elements, const std::string& typed) {
  const std::string name = Trim(typed);
  if (name.empty()) return {};
  const std::string lower = Latin1Lower(name);
  for (int32_t i = 0; i < elements.Count(); ++i)
    if (Latin1Lower(elements.As<Element3D>(i).name.str()) == lower) return {};
  return name;
}
