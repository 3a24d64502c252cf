// The grids of the register windows as table models, for registers of any size.
//
// What a grid shows, searches and sorts by is taken from each record once, when the record
// is first seen or has changed, and kept: the shown texts (converted from Windows-1250), the
// search text of the filter and the sort keys (collation keys of the Polish alphabet, so
// "Łęcki" comes between "Lewandowski" and "Mazur"). The order of every sort mode is kept as
// well, and mended record by record when only a few records changed. Painting, a keystroke
// of the filter and a change of the sort order then work on prepared values alone. A filter
// or sort change resets the model (one reset is far cheaper for a view than row-by-row
// removals and insertions); callers select again by record afterwards.
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
  // The sort modes of both registers.
  static constexpr int kModes = 2;

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
    const size_t slot = rows_[static_cast<size_t>(index.row())];
    if (role == Qt::DisplayRole) return Cell(slots_[slot], ranks_[slot], index.column());
    if (role == Qt::TextAlignmentRole && RightAligned(index.column()))
      return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
  }

  // The record shown in a row; nullptr outside the rows.
  R* RecordAt(int row) const {
    return row >= 0 && row < rowCount() ? slots_[rows_[static_cast<size_t>(row)]].record
                                        : nullptr;
  }
  // The row showing a record; -1 when the filter hides it or the register no longer holds
  // it. Only the address is compared, so a record that is gone may be asked about.
  int RowOf(const R* record) const {
    const auto it = slotOf_.find(record);
    if (!record || it == slotOf_.end()) return -1;
    for (size_t row = 0; row < rows_.size(); ++row)
      if (rows_[row] == it->second) return static_cast<int>(row);
    return -1;
  }

  // Brings the prepared values in line with the register: records that are new or have
  // changed are prepared again, those that are gone are dropped, then the rows follow the
  // register's sort mode and filter text. Nothing happens (and false is returned) while the
  // register has not changed since the last call.
  bool Sync() {
    if (synced_ && reg_.Revision() == revision_) return false;
    beginResetModel();
    std::vector<bool> seen(slots_.size(), false);
    std::vector<size_t> changed;
    for (int i = 0; i < reg_.Count(); ++i) {
      R* record = reg_.Get(i);
      const size_t fingerprint = Fingerprint(*record);
      auto it = slotOf_.find(record);
      if (it == slotOf_.end()) {
        it = slotOf_.emplace(record, NewSlot()).first;
        if (seen.size() < slots_.size()) seen.resize(slots_.size(), false);
      } else if (slots_[it->second].fingerprint == fingerprint) {
        seen[it->second] = true;
        continue;
      }
      Entry& e = slots_[it->second];
      e = Entry{};
      e.record = record;
      e.fingerprint = fingerprint;
      Prepare(*record, e);
      seen[it->second] = true;
      changed.push_back(it->second);
    }
    // Records no longer in the register free their slots.
    std::vector<size_t> gone;
    for (size_t slot = 0; slot < slots_.size(); ++slot) {
      if (slots_[slot].record && !seen[slot]) {
        slotOf_.erase(slots_[slot].record);
        slots_[slot] = Entry{};
        free_.push_back(slot);
        gone.push_back(slot);
      }
    }
    for (int mode = 0; mode < kModes; ++mode) Reorder(mode, changed, gone);
    ranksMode_ = -1;
    revision_ = reg_.Revision();
    synced_ = true;
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

  // Texts of a column wide enough to decide the column's width: the longest ones.
  virtual QStringList WidthSamples(int column) const = 0;

 protected:
  struct Entry {
    R* record = nullptr;  // none: a free slot
    size_t fingerprint = 0;
    std::array<QString, 3> texts;  // shown as they are
    std::string search;            // SearchText of the searched fields
    std::optional<QCollatorSortKey> key;
    std::string plainKey;
    std::array<Currency, 3> amounts{};
  };

  // A hash of everything Prepare reads from a record.
  virtual size_t Fingerprint(const R& record) const = 0;
  virtual void Prepare(const R& record, Entry& e) const = 0;
  // The order of a sort mode: below 0 when a comes before b, 0 when they are equal.
  virtual int Compare(const Entry& a, const Entry& b, int mode) const = 0;
  // The text of a cell; rank is the entry's place in the sorted register.
  virtual QVariant Cell(const Entry& e, size_t rank, int column) const = 0;
  virtual bool RightAligned(int column) const { return false; }

  // The entries in use.
  template <class F>
  void ForEachEntry(F f) const {
    for (const Entry& e : slots_)
      if (e.record) f(e);
  }
  size_t EntryCount() const { return slotOf_.size(); }
  // The longest texts of a slot (by characters).
  QStringList LongestTexts(size_t text, size_t count = 24) const {
    std::vector<std::pair<qsizetype, size_t>> lengths;
    lengths.reserve(slots_.size());
    for (size_t i = 0; i < slots_.size(); ++i)
      if (slots_[i].record) lengths.emplace_back(slots_[i].texts[text].size(), i);
    count = std::min(count, lengths.size());
    std::partial_sort(lengths.begin(), lengths.begin() + static_cast<std::ptrdiff_t>(count),
                      lengths.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    QStringList longest;
    for (size_t k = 0; k < count; ++k) longest << slots_[lengths[k].second].texts[text];
    return longest;
  }

  TRecordListOf<R>& reg_;

 private:
  size_t NewSlot() {
    if (!free_.empty()) {
      const size_t slot = free_.back();
      free_.pop_back();
      return slot;
    }
    slots_.emplace_back();
    return slots_.size() - 1;
  }

  // Ties are ordered by slot, so that every order is total.
  bool Less(size_t a, size_t b, int mode) const {
    const int c = Compare(slots_[a], slots_[b], mode);
    return c != 0 ? c < 0 : a < b;
  }

  // Mends the order of a mode: a few changed records are taken out and put back in their
  // places; many are sorted anew with everything else.
  void Reorder(int mode, const std::vector<size_t>& changed, const std::vector<size_t>& gone) {
    std::vector<size_t>& order = orders_[static_cast<size_t>(mode)];
    auto less = [this, mode](size_t a, size_t b) { return Less(a, b, mode); };
    if (!changed.empty() || !gone.empty()) {
      if (changed.size() + gone.size() > 64 + order.size() / 64) {
        order.clear();
        for (size_t slot = 0; slot < slots_.size(); ++slot)
          if (slots_[slot].record) order.push_back(slot);
        std::sort(order.begin(), order.end(), less);
      } else {
        std::unordered_set<size_t> out(changed.begin(), changed.end());
        out.insert(gone.begin(), gone.end());
        std::erase_if(order, [&out](size_t slot) { return out.count(slot) > 0; });
        for (size_t slot : changed)
          order.insert(std::upper_bound(order.begin(), order.end(), slot, less), slot);
      }
    }
  }

  int CurrentMode() const { return reg_.SortMode() < kModes ? reg_.SortMode() : 0; }

  // The rows: the entries in the order of the register's sort mode that pass its filter (an
  // empty filter shows every record; a filter of blanks alone finds nothing).
  void FilterEntries() {
    const std::vector<size_t>& order = orders_[static_cast<size_t>(CurrentMode())];
    if (ranksMode_ != CurrentMode()) {
      ranks_.assign(slots_.size(), 0);
      for (size_t k = 0; k < order.size(); ++k) ranks_[order[k]] = k;
      ranksMode_ = CurrentMode();
    }
    const std::string& text = reg_.FilterText();
    if (text.empty()) {
      rows_ = order;
      return;
    }
    rows_.clear();
    const std::string key = FilterKey(text);
    if (key.find('\0') == std::string::npos) {
      for (size_t slot : order)
        if (SearchTextHas(slots_[slot].search, key)) rows_.push_back(slot);
      return;
    }
    // A zero byte would be found across two fields of the search text: the register tests
    // such a key field by field itself.
    std::unordered_set<const R*> matching;
    for (reg_.First(); reg_.Cursor() >= 0; reg_.Next()) matching.insert(reg_.Get(reg_.Cursor()));
    for (size_t slot : order)
      if (matching.count(slots_[slot].record)) rows_.push_back(slot);
  }

  QStringList headers_;
  std::vector<Entry> slots_;  // entries by slot; a slot keeps its record while it lasts
  std::vector<size_t> free_;
  std::unordered_map<const R*, size_t> slotOf_;
  std::array<std::vector<size_t>, kModes> orders_;  // the slots in use, sorted by each mode
  std::vector<size_t> ranks_;                       // each slot's place in the current order
  int ranksMode_ = -1;
  std::vector<size_t> rows_;
  uint64_t revision_ = 0;
  bool synced_ = false;
};

}  // namespace bilvox
