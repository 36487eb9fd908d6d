#include "RecoveryOffer.h"

#include <QDateTime>

#include "LatinText.h"
#include "RecoveryFolder.h"
#include "common/Dictionary.h"
#include "common/PathParts.h"

namespace {
// A path's name as the interface's Latin-1 text, cut to fit the box.
std::string ShownName(const std::string& path) {
  QString name = PathText(FileNameOf(path));
  if (name.size() > 60) name = name.left(57) + "...";
  return Latin(name);
}
}  // namespace

std::string RecoveryCopyLine(const RecoveryCopy& copy) {
  const std::string when = QDateTime::fromMSecsSinceEpoch(copy.writtenAtNs / 1000000)
                               .toString(QStringLiteral("dd/MM/yyyy HH:mm"))
                               .toStdString();
  if (copy.originalPath.empty()) return Choose("Documento sem nome", "Untitled document") + "  (" + when + ")";
  QString folder = PathText(copy.originalPath);
  folder = folder.left(folder.lastIndexOf('/') + 1);
  if (folder.size() > 80) folder = "..." + folder.right(77);
  std::string line = ShownName(copy.originalPath) + "  " + Latin(folder) + "  (" + when + ")";
  if (!MayKeepOriginalName(copy))
    line += Choose(" - o arquivo mudou depois da c\xF3pia", " - the file has changed since the copy");
  return line;
}

std::string RecoveryOfferText(const std::string& openDocument) {
  // Short enough that the open document's name still fits the box's 255 characters.
  std::string text = Choose(
      "Documentos n\xE3o salvos quando o editor terminou. Abrir a c\xF3pia de um deles? "
      "Ela abre sem nome.",
      "Documents not saved when the editor ended. Open the copy of one of them? It opens "
      "untitled.");
  if (!openDocument.empty())
    text += Choose(" Aberto agora: " + ShownName(openDocument) + ", que a c\xF3pia substitui.",
                   " Open now: " + ShownName(openDocument) + ", which the copy replaces.");
  return text;
}
