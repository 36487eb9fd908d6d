// controls-gallery [--english] [--screenshot FILE]
// Shows every control of the library; --english switches the interface
// language with the dictionary the gallery carries; --screenshot saves a
// picture of the window and quits.
#include <QApplication>
#include <QTimer>
#include <cstring>

#include "GalleryDictionary.h"
#include "GalleryWindow.h"
#include "common/Dictionary.h"
#include "controls/FaceColors.h"

int main(int argc, char** argv) {
  const char* screenshot = nullptr;
  bool english = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--english") == 0)
      english = true;
    else if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc)
      screenshot = argv[++i];
  }
  if (english) LoadGalleryDictionary();
  // As the editor does: selectors and spin buttons on white.
  CorFaceMulfig = clWhite;
  CorFaceSpin = clWhite;
  QApplication app(argc, argv);
  GalleryWindow window;
  window.Translate();
  window.show();
  int result = 0;
  if (screenshot) {
    QTimer::singleShot(300, [&] {
      result = window.grab().save(QString::fromLocal8Bit(screenshot)) ? 0 : 1;
      app.quit();
    });
    app.exec();
  } else {
    result = app.exec();
  }
  FreeDictionary();
  return result;
}
