#include "FileNameDialogs.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

#include "LatinText.h"

namespace {
class QtFileNameAsker : public FileNameAsker {
 public:
  FileNameAnswer Ask(const FileNameQuestion& q, QWidget* parent) override {
    QFileDialog dialog(parent, L1(q.title.c_str()));
    dialog.setAcceptMode(q.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(q.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(q.filters);
    if (q.filterIndex >= 0 && q.filterIndex < q.filters.size()) dialog.selectNameFilter(q.filters[q.filterIndex]);
    if (!q.defaultSuffix.empty()) dialog.setDefaultSuffix(QString::fromStdString(q.defaultSuffix));
    if (!q.folder.empty()) dialog.setDirectory(PathText(q.folder));
    if (!q.proposed.empty()) dialog.selectFile(PathText(q.proposed));
    FileNameAnswer answer;
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
      answer.path = PathBytes(dialog.selectedFiles().first());
    QString left = dialog.directory().absolutePath();
    if (!left.endsWith('/')) left += '/';
    answer.folder = PathBytes(left);
    return answer;
  }
};

FileNameAsker* installed = nullptr;
}  // namespace

void SetFileNameAsker(FileNameAsker* asker) { installed = asker; }

FileNameAnswer AskFileName(const FileNameQuestion& question, QWidget* parent) {
  static QtFileNameAsker qtAsker;
  return (installed ? installed : &qtAsker)->Ask(question, parent);
}
