#pragma once
#include <QString>
#include <functional>
#include <string>

#include "RecentDocuments.h"

class QAction;
class QMenu;
class QWidget;

// Whether the document changed since it was loaded or saved (the window's
// caption carries a "*" while it has), and the File menu's recent documents.
class DocumentKeeping {
 public:
  explicit DocumentKeeping(QWidget& window) : window_(window) {}

  bool Changed() const { return changed_; }
  // False when the document was in that state already.
  bool SetChanged(bool changed);

  // The recent documents' menu, put into `fileMenu` before `before`.
  void AddRecentMenu(QMenu& fileMenu, QAction* before);
  void KeepAsRecent(const std::string& path);
  // The menu made anew; documents gone from the disk are greyed.
  void FillRecentMenu();
  // A recent document picked in the menu.
  std::function<void(const std::string& path)> OnOpenRecent;

 private:
  QWidget& window_;
  bool changed_ = false;
  QString captionBeforeChange_;
  RecentDocuments recent_;
  QMenu* menu_ = nullptr;
};
