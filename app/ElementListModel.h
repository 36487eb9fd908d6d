#pragma once
#include <QAbstractListModel>
#include <QItemSelection>
#include <cstdint>
#include <string_view>
#include <vector>

class EditorDocument;

// The element list's rows: one per element of the document, each showing
// the element's name, read from the document when the view asks. No row
// keeps an object; the model keeps only a fingerprint of each row's name,
// so that Follow can tell the view which rows an edit added or removed.
class ElementListModel : public QAbstractListModel {
 public:
  ElementListModel(const EditorDocument& doc, QObject* parent);

  // The rows as of the last Follow or Reset: between an edit and the next
  // call the document may hold fewer elements, so every row read is bounded.
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // Brings the rows in step with the document. Rows added or removed in one
  // run (a paste, a delete, their undo) and names changed in place are told
  // as such; anything else resets the model.
  void Follow();
  // Every row made anew (another document).
  void Reset();

  // An element's name bytes (empty past the document's end).
  std::string_view Name(int32_t element) const;
  // The first row holding the element's name, or -1.
  int FirstRowOf(int32_t element) const;
  // Each element flagged in `elements` marks the first row holding its
  // name, the rows joined in runs; `current` gets the mark of the last one
  // (-1 when none is flagged).
  QItemSelection Marks(const std::vector<bool>& elements, int& current) const;

 private:
  std::vector<uint32_t> Fingerprints() const;

  const EditorDocument& doc_;
  std::vector<uint32_t> fingerprints_;  // one per row, of its name at the last Follow or Reset
};
