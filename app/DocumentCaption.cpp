#include "DocumentCaption.h"

#include "LatinText.h"
#include "common/Dictionary.h"

QString DocumentCaption(const std::string& path) {
  const QString product = QStringLiteral("Objetos 3D - ");
  if (path.empty()) return product + L1(Choose("Nenhum arquivo", "No file"));
  const size_t slash = path.find_last_of('/');
  return product + PathText(slash == std::string::npos ? path : path.substr(slash + 1));
}
