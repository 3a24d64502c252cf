// The remembered entries of the editable lists (PKWiU symbols, units, payment forms), most
// recent first, kept in the file autolists.dt.
//
// File layout (little-endian): version 1 (16 bits), number of lists (signed 32 bits), then per
// list its item count (signed 32 bits) and that many counted strings, the most recent first.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace bilvox {

// The items of one list (Windows-1250), index 0 the most recent. The owner (a window and its
// combo box) keeps it alive for as long as it is attached.
using TextList = std::vector<std::string>;

class TListyNapisow {
 public:
  static constexpr uint16_t kVersion = 1;

  // Appends a list unless it is already attached; the order of attachment is the order of
  // the lists in the file.
  void Attach(TextList* list);
  int ListCount() const { return static_cast<int>(lists_.size()); }

  // Remembers the path and, when a file exists there, fills the attached lists in order from
  // its list blocks: surplus blocks are ignored, lists without a block keep their items.
  // Throws Error with the reading-file message when the file cannot be read; the lists
  // filled before the failure keep the file's items, the others keep their own.
  void Load(const std::string& path);
  // Moves the text to the top of the list: an item equal to it but for letter case is
  // moved (its own spelling stays), otherwise the text is inserted. Then saves. An empty text
  // changes nothing. Throws Error as Save does.
  void Remember(TextList* list, std::string_view text);
  // Writes every attached list to the remembered path; without a path, nothing. A file of
  // another format version (written by a newer program) is never overwritten: after such a
  // load the lists work in memory only. Throws Error with the saving-file message on failure
  // (the previous file stays as it was).
  void Save();

  const std::string& FileName() const { return fileName_; }
  // The number of list blocks the last file read held.
  int FileListCount() const { return fileListCount_; }

 private:
  std::vector<TextList*> lists_;
  std::string fileName_;
  int fileListCount_ = 0;
  bool foreignFormat_ = false;  // the file at fileName_ has a version we do not know
};

}  // namespace bilvox
