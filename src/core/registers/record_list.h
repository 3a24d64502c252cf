// The common base of the two registers (contractors, goods): a list of fixed-shape records
// kept in memory and sorted, the register file held for the whole run and rewritten after
// every change, the iteration cursor of the list windows, the filter text and the sort mode.
//
// File layout shared by both registers (little-endian): format version (16 bits), record
// count (signed 32 bits), then the records one after the other. Bytes after the last record
// are never looked at.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/binio.h"

namespace bilvox {

// The sorted order of texts, as the registers sort: ASCII letters compare as their capitals,
// every other byte (Polish letters included) by its Windows-1250 code. Element k is the index
// of the k-th smallest text; equal texts come in no defined order, but always in the same
// order for the same texts given in the same order.
std::vector<size_t> TextOrder(const std::vector<std::string_view>& texts);

// The same order for texts given one at a time (each copied in as it is added), so that
// their owner need not keep them: TextOrder(texts) is Order() after Add() of each in turn.
class TextOrdering {
 public:
  void Reserve(size_t texts, size_t bytes);
  void Add(std::string_view text);
  std::vector<size_t> Order() const;

 private:
  std::string folded_;        // every text with its ASCII letters made capitals, one after another
  std::vector<size_t> ends_;  // where each of them ends in folded_
};

// The head of a register file: format version and record count. Throws Error with the
// truncated-file message when the data is too short, and with `versionMessage` for a
// version newer than `newestVersion`. A negative count means no records.
struct RegisterFileHead {
  uint16_t version = 0;
  int32_t count = 0;
};
RegisterFileHead ReadRegisterFileHead(ByteReader& in, uint16_t newestVersion,
                                      std::string_view versionMessage);

// The filter text as it is searched for: ASCII capitals made small, blanks and control
// characters trimmed from both ends.
std::string FilterKey(std::string_view filter);
// Whether a filter key occurs in a text taken with its ASCII capitals made small. An empty
// key is found nowhere.
bool ContainsKey(std::string_view text, std::string_view key);

// The searched fields of a record made ready for many filter tests: each field with its
// ASCII capitals made small, the fields joined by a zero byte. A filter key (FilterKey) that
// holds no zero byte is found in it exactly when ContainsKey finds it in one of the fields.
std::string SearchText(std::span<const std::string_view> fields);
bool SearchTextHas(std::string_view searchText, std::string_view key);

// The file is held under an exclusive lock from Open to Close, so that neither another
// program nor a second copy of this one writes it meanwhile (see record_list.cpp). The final
// register classes call Close() in their destructors, which saves what is open.
class TRecordList {
 public:
  TRecordList(const TRecordList&) = delete;
  TRecordList& operator=(const TRecordList&) = delete;
  virtual ~TRecordList();

  // Closes what is open (saving it), then opens the file at path, creating it empty when it
  // does not exist, takes its lock and reads it. A file that cannot be opened, locked or read
  // is reported (caption "Błąd") and left untouched; the register then stays closed and works
  // in memory only.
  void Open(const std::string& path);
  // Rewrites the open file with every record; does nothing when no file is open. A failed
  // write is reported, the previous file stays as it was, and the register closes (its
  // records are dropped) so that nothing more is written during this run.
  void Save();
  // Saves and releases the open file and drops every record; with no file open, nothing.
  void Close();
  bool IsOpen() const { return fd_ >= 0; }
  const std::string& FileName() const { return fileName_; }

  // Reads a register file for inspection only: no lock, no file kept, nothing ever written
  // (the register stays closed). Throws Error with the cause when the file cannot be read.
  void LoadCopy(const std::string& path);
  // The same for a file's content already in memory (what Open and LoadCopy read); an open
  // register is closed (and saved) first.
  void LoadContent(std::string_view data);
  // The file content a save writes now: header and every record in the newest version.
  std::string Content();
  // The format version of the last file read; -1 when none was read or it was empty.
  int FileVersion() const { return fileVersion_; }

  virtual int Count() const = 0;
  // Frees and removes the record at index; an index outside the list does nothing.
  virtual void Delete(int index) = 0;
  // Sorts by the current sort mode; a mode other than 0 and 1 leaves the order alone.
  virtual void Sort() = 0;

  uint8_t SortMode() const { return sortMode_; }
  // Stores a different mode and sorts; the current mode does nothing.
  void SetSortMode(uint8_t mode);

  // A number that changes whenever the records may have changed: added, deleted, read,
  // dropped or saved (every change of a record's fields ends with a save). Sorting only
  // reorders them and leaves it alone.
  uint64_t Revision() const { return revision_; }

  const std::string& FilterText() const { return filterText_; }
  void SetFilterText(std::string_view text);

  // Iteration over the records that pass the filter: after each call Cursor() is the
  // position of the record reached, or -1 past either end.
  void First();
  void Last();
  void Next();
  void Prior();
  int Cursor() const { return cursor_; }

 protected:
  // The newest file version (the one written) and the message of a file from a newer one.
  TRecordList(uint16_t newestVersion, std::string_view versionMessage)
      : newestVersion_(newestVersion), versionMessage_(versionMessage) {}

  // Whether the record at the cursor passes the filter; filterKey_ is the prepared text.
  virtual bool Matches() const = 0;
  virtual void FreeRecords() = 0;
  // Reads `count` records of the given (known) version; the list is empty on entry.
  virtual void ReadRecords(ByteReader& in, uint16_t version, int32_t count) = 0;
  // Writes every record in the newest version.
  virtual void WriteRecords(ByteWriter& out) = 0;

  // Whether the filter text is found in any of the searched fields of a record.
  bool FilterFound(std::span<const std::string_view> fields) const;

  void Touch() { ++revision_; }

  int cursor_ = -1;
  uint8_t sortMode_ = 0;
  std::string filterText_;
  std::string filterKey_;

 private:
  void Release();

  const uint16_t newestVersion_;
  const std::string_view versionMessage_;
  std::string fileName_;
  int fd_ = -1;
  int fileVersion_ = -1;
  uint64_t revision_ = 0;
};

// The record storage of a register of records of type R (each owned by the list).
template <class R>
class TRecordListOf : public TRecordList {
 public:
  using Record = R;
  using TRecordList::TRecordList;
  int Count() const override { return static_cast<int>(records_.size()); }
  // The record at index, or nullptr outside 0 to Count() - 1.
  R* Get(int index) const {
    return index >= 0 && index < Count() ? records_[static_cast<size_t>(index)].get() : nullptr;
  }
  // The position of a record; -1 when it is not in the list. Positions change with every sort.
  int IndexOf(const R* record) const {
    for (size_t i = 0; i < records_.size(); ++i)
      if (records_[i].get() == record) return static_cast<int>(i);
    return -1;
  }
  // The position of the last record whose name equals the text exactly (letter case
  // included), or -1.
  int FindByName(std::string_view name) const {
    for (size_t i = records_.size(); i-- > 0;)
      if (records_[i]->name == name) return static_cast<int>(i);
    return -1;
  }
  // The last record of that name, or a new one added for it; nullptr when none can be made.
  R* FindOrAdd(std::string_view name) {
    int index = FindByName(name);
    return Get(index >= 0 ? index : Add());
  }
  void Delete(int index) override {
    if (index < 0 || index >= Count()) return;
    records_.erase(records_.begin() + index);
    Touch();
  }
  // Appends an empty record and sorts; returns its position (good until the next sort), or
  // -1 when no memory is left for it.
  int Add() {
    R* added = nullptr;
    try {
      records_.push_back(std::make_unique<R>());
      added = records_.back().get();
      Touch();
    } catch (const std::bad_alloc&) {
      return -1;
    }
    Sort();
    return IndexOf(added);
  }

 protected:
  void FreeRecords() override {
    records_.clear();
    Touch();
  }
  const R* Current() const { return Get(cursor_); }
  // After a record was filled: sorts and saves; gives the record back unless the save failed
  // (which closes the register and drops every record).
  R* SortAndSave(R* record) {
    Sort();
    Save();
    return IndexOf(record) >= 0 ? record : nullptr;
  }
  // Sorts by a text field in the order of TextOrder.
  void SortByText(std::string R::*field) {
    std::vector<std::string_view> texts;
    texts.reserve(records_.size());
    for (const auto& r : records_) texts.emplace_back((*r).*field);
    Reorder(TextOrder(texts));
  }
  // Sorts by a key taken once from every record.
  template <class KeyOf>
  void SortByKey(KeyOf keyOf) {
    using Key = decltype(keyOf(std::declval<const R&>()));
    std::vector<std::pair<Key, size_t>> keyed;
    keyed.reserve(records_.size());
    for (size_t i = 0; i < records_.size(); ++i) keyed.emplace_back(keyOf(*records_[i]), i);
    std::sort(keyed.begin(), keyed.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<size_t> order;
    order.reserve(keyed.size());
    for (const auto& k : keyed) order.push_back(k.second);
    Reorder(order);
  }
  // Puts the records in the given order of their present positions.
  void Reorder(const std::vector<size_t>& order) {
    std::vector<std::unique_ptr<R>> sorted;
    sorted.reserve(records_.size());
    for (size_t i : order) sorted.push_back(std::move(records_[i]));
    records_.swap(sorted);
  }
  // Room for the records a file announces, as far as its size can hold them.
  void Reserve(int32_t count, size_t bytesLeft, size_t smallestRecord) {
    if (count > 0) records_.reserve(std::min(static_cast<size_t>(count), bytesLeft / smallestRecord));
  }

  std::vector<std::unique_ptr<R>> records_;
};

}  // namespace bilvox
