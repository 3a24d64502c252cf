// A register file read for looking at only (`bilvox-cli register show`), lean enough for a
// register of any size: the file's bytes are held once, with the place of every record in
// them in register order, and a record is decoded only when it is asked for. A register
// object would hold every record decoded as well, several times the file.
//
// It reads what TRecordList::LoadCopy reads, with the same refusals and messages, and puts
// the records in the order the register's sort by name gives them (records of equal names
// included), which is the order a register has after reading a file.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/binio.h"
#include "common/files.h"
#include "registers/record_list.h"

namespace bilvox {

// Register is TKontrahenci or TTowary.
template <class Register>
class RegisterFileView {
 public:
  using Record = typename Register::Record;

  // Reads the file as TRecordList::LoadCopy does; throws Error with the cause when it cannot
  // be read or is damaged or newer.
  static RegisterFileView Read(const std::string& path) {
    return RegisterFileView(ReadWholeFile(path, kMaxRegisterFileSize));
  }
  // The same for a file's content already in memory.
  explicit RegisterFileView(std::string content) : data_(std::move(content)) {
    if (data_.empty()) return;  // a new, empty register
    ByteReader in(data_);
    const RegisterFileHead head =
        ReadRegisterFileHead(in, Register::kVersion, Register::VersionMessage());
    version_ = head.version;
    // Every record is read once here, so that a damaged file is refused before anything is
    // shown; only its place and its name are kept.
    std::vector<size_t> places;
    TextOrdering byName;
    if (head.count > 0) {
      const size_t fit = in.Remaining() / Register::kSmallestRecord;
      places.reserve(std::min(static_cast<size_t>(head.count), fit));
    }
    for (int32_t i = 0; i < head.count; ++i) {
      places.push_back(in.Position());
      Record r;
      Register::ReadRecord(in, version_, r);
      byName.Add(r.name);
    }
    places_ = byName.Order();
    for (size_t& place : places_) place = places[place];
    fileVersion_ = version_;
  }

  // The format version of the file; -1 when it was empty.
  int FileVersion() const { return fileVersion_; }
  int Count() const { return static_cast<int>(places_.size()); }
  // The record at a position of register order, 0 to Count() - 1, decoded anew.
  Record Get(int index) const {
    ByteReader in(std::string_view(data_).substr(places_[static_cast<size_t>(index)]));
    Record r;
    Register::ReadRecord(in, version_, r);
    return r;
  }

 private:
  std::string data_;
  uint16_t version_ = 0;
  int fileVersion_ = -1;
  std::vector<size_t> places_;  // where each record begins in data_, in register order
};

}  // namespace bilvox
