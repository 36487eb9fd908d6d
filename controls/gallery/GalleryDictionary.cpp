#include "GalleryDictionary.h"

#include <QTemporaryFile>

#include "common/Dictionary.h"

void LoadGalleryDictionary() {
  static const char kEntries[] =
      "@GENERAL\r\n"
      "arquivo;File;\r\n"
      "novo;New;\r\n"
      "sair;Quit;\r\n"
      "controles;Controls;\r\n"
      "paleta;Palette;\r\n"
      "abrir...;Open...;\r\n"
      "janela;Window;\r\n"
      "cubo;Cube;\r\n"
      "cilindro;Cylinder;\r\n"
      "esfera;Sphere;\r\n";
  QTemporaryFile file;
  if (!file.open()) return;
  file.write(kEntries, sizeof kEntries - 1);
  file.flush();
  LoadDictionaryFile(file.fileName().toStdString());
}
