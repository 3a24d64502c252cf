// The grids of the register windows as table models, for registers of any size.
//
// What a grid shows, searches and sorts by is taken from each record once, when the record
// is first seen or has changed, and kept: the shown texts (converted from Windows-1250), the
// search text of the filter and the sort keys (collation keys of the Polish alphabet, so
// "Łęcki" comes between "Lewandowski" and "Mazur"). Painting, a keystroke of the filter and
// a change of the sort order then work on the prepared values alone. A filter or sort change
// resets the model (one reset is far cheaper for a view than row-by-row removals and
// insertions); callers select again by record afterwards.
//
// Rows are never the records' positions: every action gets the record of a row through
// RecordAt, and a record's row through RowOf.
#pragma once

#include <QAbstractTableModel>
#include <QCollator>
#include <QCollatorSortKey>
#include <QStringList>
#include <algorithm>
#include <array>
#include <cstdint>
#include <numeric>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "document/money.h"
#include "registers/record_list.h"

namespace bilvox {

// The collator of the lists: Polish alphabetical order, letter case ignored.
const QCollator& ListCollator();

// Adds the hash of a value to a running hash.
template <class T>
void HashInto(size_t& hash, const T& value) {
  hash ^= std::hash<T>{}(value) + 0x9e3779b97f4a7c15ULL + (hash << 6) + (hash >> 2);
}

template <class R>
class RegisterModel : public QAbstractTableModel {
 public:
  RegisterModel(TRecordListOf<R>& reg, QStringList headers, QObject* parent)
      : QAbstractTableModel(parent), reg_(reg), headers_(std::move(headers)) {}

  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
  }
  int columnCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(headers_.size());
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < headers_.size())
      return headers_[section];
    return {};
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid() || index.row() < 0 || index.row() >= rowCount()) return {};
    const Entry& e = entries_[rows_[static_cast<size_t>(index.row())]];
    if (role == Qt::DisplayRole) return Cell(e, index.column());
    if (role == Qt::TextAlignmentRole && RightAligned(index.column()))
      return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
  }

  // The record shown in a row; nullptr outside the rows.
  R* RecordAt(int row) const {
    return row >= 0 && row < rowCount() ? entries_[rows_[static_cast<size_t>(row)]].record
                                        : nullptr;
  }
  // The row showing a record; -1 when the filter hides it or the register no longer holds
  // it. Only the address is compared, so a record that is gone may be asked about.
  int RowOf(const R* record) const {
    if (!record) return -1;
    for (size_t row = 0; row < rows_.size(); ++row)
      if (entries_[rows_[row]].record == record) return static_cast<int>(row);
    return -1;
  }

  // Brings the prepared values in line with the register: records that are new or have
  // changed are prepared again, those that are gone are dropped, then the entries are sorted
  // and filtered by the register's sort mode and filter text. Nothing happens (and false is
  // returned) while the register has not changed since the last call.
  bool Sync() {
    if (synced_ && reg_.Revision() == revision_) return false;
    beginResetModel();
    std::unordered_map<const R*, size_t> known;
    known.reserve(entries_.size());
    for (size_t i = 0; i < entries_.size(); ++i) known.emplace(entries_[i].record, i);
    std::vector<Entry> fresh;
    fresh.reserve(static_cast<size_t>(reg_.Count()));
    for (int i = 0; i < reg_.Count(); ++i) {
      R* record = reg_.Get(i);
      const size_t fingerprint = Fingerprint(*record);
      const auto it = known.find(record);
      if (it != known.end() && entries_[it->second].fingerprint == fingerprint) {
        fresh.push_back(std::move(entries_[it->second]));
      } else {
        Entry& e = fresh.emplace_back();
        e.record = record;
        e.fingerprint = fingerprint;
        Prepare(*record, e);
      }
    }
    entries_.swap(fresh);
    revision_ = reg_.Revision();
    synced_ = true;
    SortEntries();
    FilterEntries();
    endResetModel();
    return true;
  }
  // The register's filter text or sort mode changed.
  void Refilter() {
    beginResetModel();
    FilterEntries();
    endResetModel();
  }
  void Resort() {
    beginResetModel();
    SortEntries();
    FilterEntries();
    endResetModel();
  }

  // Texts of a column wide enough to decide the column's width: the longest ones.
  virtual QStringList WidthSamples(int column) const = 0;

 protected:
  struct Entry {
    R* record = nullptr;
    size_t fingerprint = 0;
    std::array<QString, 3> texts;  // shown as they are
    std::string search;            // SearchText of the searched fields
    std::array<std::optional<QCollatorSortKey>, 2> keys;
    std::array<Currency, 3> amounts{};
    size_t rank = 0;  // position in the sorted order of every entry
  };

  // A hash of everything Prepare reads from a record.
  virtual size_t Fingerprint(const R& record) const = 0;
  virtual void Prepare(const R& record, Entry& e) const = 0;
  // The order of the register's sort mode.
  virtual bool Before(const Entry& a, const Entry& b) const = 0;
  virtual QVariant Cell(const Entry& e, int column) const = 0;
  virtual bool RightAligned(int column) const { return false; }

  const std::vector<Entry>& Entries() const { return entries_; }
  // The longest texts of a slot (by characters).
  QStringList LongestTexts(size_t slot, size_t count = 24) const {
    std::vector<std::pair<qsizetype, size_t>> lengths;
    lengths.reserve(entries_.size());
    for (size_t i = 0; i < entries_.size(); ++i)
      lengths.emplace_back(entries_[i].texts[slot].size(), i);
    count = std::min(count, lengths.size());
    std::partial_sort(lengths.begin(), lengths.begin() + static_cast<std::ptrdiff_t>(count),
                      lengths.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    QStringList longest;
    for (size_t k = 0; k < count; ++k) longest << entries_[lengths[k].second].texts[slot];
    return longest;
  }

  TRecordListOf<R>& reg_;

 private:
  void SortEntries() {
    order_.resize(entries_.size());
    std::iota(order_.begin(), order_.end(), size_t{0});
    // Equal keys keep the register's order.
    std::stable_sort(order_.begin(), order_.end(),
                     [this](size_t a, size_t b) { return Before(entries_[a], entries_[b]); });
    for (size_t k = 0; k < order_.size(); ++k) entries_[order_[k]].rank = k;
  }

  // The register's filter: an empty text shows every record; otherwise the records whose
  // searched fields hold the filter key (a key of blanks alone finds nothing).
  void FilterEntries() {
    const std::string& text = reg_.FilterText();
    if (text.empty()) {
      rows_ = order_;
      return;
    }
    rows_.clear();
    const std::string key = FilterKey(text);
    if (key.find('\0') == std::string::npos) {
      for (size_t i : order_)
        if (SearchTextHas(entries_[i].search, key)) rows_.push_back(i);
      return;
    }
    // A zero byte would be found across two fields of the search text: the register tests
    // such a key field by field itself.
    std::unordered_set<const R*> matching;
    for (reg_.First(); reg_.Cursor() >= 0; reg_.Next()) matching.insert(reg_.Get(reg_.Cursor()));
    for (size_t i : order_)
      if (matching.count(entries_[i].record)) rows_.push_back(i);
  }

  QStringList headers_;
  std::vector<Entry> entries_;  // in the register's order
  std::vector<size_t> order_;   // every entry, sorted
  std::vector<size_t> rows_;    // the rows: the entries that pass the filter, sorted
  uint64_t revision_ = 0;
  bool synced_ = false;
};

}  // namespace bilvox
