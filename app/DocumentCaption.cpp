#include "DocumentCaption.h"

#include "LatinText.h"
#include "common/Dictionary.h"
#include "common/PathParts.h"

QString DocumentCaption(const std::string& path) {
  const QString product = QStringLiteral("Objetos 3D - ");
  if (path.empty()) return product + L1(Choose("Nenhum arquivo", "No file"));
  return product + PathText(FileNameOf(path));
}
