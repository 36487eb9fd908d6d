#include "ElementListModel.h"

#include <algorithm>
#include <functional>

#include "LatinText.h"
#include "document/EditorDocument.h"

ElementListModel::ElementListModel(const EditorDocument& doc, QObject* parent)
    : QAbstractListModel(parent), doc_(doc) {}

int ElementListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(fingerprints_.size());
}

QVariant ElementListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
  return L1(Name(index.row()));
}

Qt::ItemFlags ElementListModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
}

std::string_view ElementListModel::Name(int32_t element) const {
  if (element < 0 || element >= doc_.Count()) return {};
  const auto& name = doc_.elements.As<Element3D>(element).name;
  return {name.chars, std::min<size_t>(name.length, ShortString63::kCapacity)};
}

std::vector<uint32_t> ElementListModel::Fingerprints() const {
  std::vector<uint32_t> prints(static_cast<size_t>(doc_.Count()));
  const std::hash<std::string_view> hash;
  for (int32_t i = 0; i < doc_.Count(); ++i) prints[static_cast<size_t>(i)] = static_cast<uint32_t>(hash(Name(i)));
  return prints;
}

void ElementListModel::Follow() {
  std::vector<uint32_t> now = Fingerprints();
  const std::vector<uint32_t>& was = fingerprints_;
  // Rows agree from the start and from the end; what lies between them
  // changed. A print that agrees by chance only makes the change told
  // smaller: the names shown are always read from the document.
  const int oldCount = static_cast<int>(was.size()), newCount = static_cast<int>(now.size());
  int first = 0;
  while (first < oldCount && first < newCount && was[first] == now[first]) ++first;
  int oldEnd = oldCount, newEnd = newCount;
  while (oldEnd > first && newEnd > first && was[oldEnd - 1] == now[newEnd - 1]) --oldEnd, --newEnd;
  if (oldEnd == first && newEnd > first) {
    beginInsertRows(QModelIndex(), first, newEnd - 1);
    fingerprints_.swap(now);
    endInsertRows();
  } else if (newEnd == first && oldEnd > first) {
    beginRemoveRows(QModelIndex(), first, oldEnd - 1);
    fingerprints_.swap(now);
    endRemoveRows();
  } else if (oldCount == newCount) {
    fingerprints_.swap(now);
    if (oldEnd > first) emit dataChanged(index(first), index(oldEnd - 1), {Qt::DisplayRole});
  } else {
    beginResetModel();
    fingerprints_.swap(now);
    endResetModel();
  }
}

void ElementListModel::Reset() {
  beginResetModel();
  fingerprints_ = Fingerprints();
  endResetModel();
}

int ElementListModel::FirstRowOf(int32_t element) const {
  const int rows = std::min(rowCount(), doc_.Count());
  if (element < 0 || element >= rows) return -1;
  const std::string_view name = Name(element);
  for (int row = 0; row < element; ++row)
    if (Name(row) == name) return row;
  return element;
}

QItemSelection ElementListModel::Marks(const std::vector<bool>& elements, int& current) const {
  current = -1;
  const int rows = std::min({rowCount(), doc_.Count(), static_cast<int>(elements.size())});
  // The names looked for are told apart by their prints in a table of
  // their own (a select-all of a large document wants one entry per row,
  // kept flat), and looked for only as far as the last is first found.
  const std::hash<std::string_view> hash;
  size_t flagged = 0;
  for (int k = 0; k < rows; ++k) flagged += elements[static_cast<size_t>(k)];
  size_t size = 16;
  while (size < 2 * flagged) size *= 2;
  constexpr int kEmpty = -1, kWanted = -2;
  std::vector<int> firstRow(size, kEmpty);
  std::vector<size_t> print(size);
  auto slotOf = [&](size_t p) {
    size_t slot = p & (size - 1);
    while (firstRow[slot] != kEmpty && print[slot] != p) slot = (slot + 1) & (size - 1);
    return slot;
  };
  size_t missing = 0;
  for (int k = 0; k < rows; ++k) {
    if (!elements[static_cast<size_t>(k)]) continue;
    const size_t p = hash(Name(k)), slot = slotOf(p);
    if (firstRow[slot] == kEmpty) firstRow[slot] = kWanted, print[slot] = p, ++missing;
  }
  for (int row = 0; row < rows && missing > 0; ++row) {
    const size_t slot = slotOf(hash(Name(row)));
    if (firstRow[slot] == kWanted) firstRow[slot] = row, --missing;
  }
  std::vector<int> marked;
  for (int k = 0; k < rows; ++k) {
    if (!elements[static_cast<size_t>(k)]) continue;
    int row = firstRow[slotOf(hash(Name(k)))];
    // Two names of one print: the row is found by its name.
    if (row < 0 || Name(row) != Name(k)) row = FirstRowOf(k);
    marked.push_back(current = row);
  }
  std::sort(marked.begin(), marked.end());
  marked.erase(std::unique(marked.begin(), marked.end()), marked.end());
  // One range per run of rows keeps a large selection quick to make and
  // to paint.
  QItemSelection marks;
  for (size_t a = 0; a < marked.size();) {
    size_t b = a + 1;
    while (b < marked.size() && marked[b] == marked[b - 1] + 1) ++b;
    marks.append(QItemSelectionRange(index(marked[a]), index(marked[b - 1])));
    a = b;
  }
  return marks;
}
