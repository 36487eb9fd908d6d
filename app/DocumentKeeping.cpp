#include "DocumentKeeping.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QWidget>
#include <filesystem>

#include "common/Dictionary.h"
#include "controls/ControlHint.h"

namespace {
QString ChangedCaption(const QString& caption) { return caption + (caption.endsWith(' ') ? "*" : " *"); }
}  // namespace

bool DocumentKeeping::SetChanged(bool changed) {
  if (changed == changed_) return false;
  changed_ = changed;
  if (changed) {
    captionBeforeChange_ = window_.windowTitle();
    window_.setWindowTitle(ChangedCaption(captionBeforeChange_));
  } else if (window_.windowTitle() == ChangedCaption(captionBeforeChange_)) {
    window_.setWindowTitle(captionBeforeChange_);
  }
  return true;
}

void DocumentKeeping::AddRecentMenu(QMenu& fileMenu, QAction* before) {
  menu_ = new QMenu(QString::fromLatin1("Docu&mentos recentes"), &fileMenu);
  menu_->setObjectName("Recentes1");
  SetHint(menu_->menuAction(), "Recent docu&ments");
  fileMenu.insertMenu(before, menu_);
  // Missing documents are greyed as they are when the menu opens.
  QObject::connect(&fileMenu, &QMenu::aboutToShow, menu_, [this] { FillRecentMenu(); });
  FillRecentMenu();
}

void DocumentKeeping::KeepAsRecent(const std::string& path) {
  std::error_code ec;
  const std::filesystem::path full = std::filesystem::absolute(path, ec).lexically_normal();
  recent_.Add(ec ? path : full.string());
  FillRecentMenu();
}

void DocumentKeeping::FillRecentMenu() {
  if (!menu_) return;
  menu_->clear();
  const std::vector<std::string> paths = recent_.Load();
  int number = 0;
  for (const std::string& path : paths) {
    QString shown = QFile::decodeName(QByteArray::fromStdString(path));
    shown.replace('&', "&&");
    QAction* item = menu_->addAction(QString("&%1 %2").arg(++number).arg(shown));
    std::error_code ec;
    item->setEnabled(std::filesystem::is_regular_file(path, ec));
    QObject::connect(item, &QAction::triggered, menu_, [this, path] {
      if (OnOpenRecent) OnOpenRecent(path);
    });
  }
  if (paths.empty()) menu_->addAction(QString::fromLatin1(Choose("(nenhum)", "(none)").c_str()))->setEnabled(false);
}
