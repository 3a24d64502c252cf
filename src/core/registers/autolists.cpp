#include "registers/autolists.h"

#include <algorithm>

#include "common/binio.h"
#include "common/cp1250.h"
#include "common/error.h"
#include "common/files.h"

namespace bilvox {

namespace {

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && LetterLower(a) == LetterLower(b);
}

}  // namespace

void TListyNapisow::Attach(TextList* list) {
  if (list && std::find(lists_.begin(), lists_.end(), list) == lists_.end())
    lists_.push_back(list);
}

void TListyNapisow::Load(const std::string& path) {
  fileName_ = path;
  fileListCount_ = 0;
  foreignFormat_ = false;
  if (!FileExists(path)) return;
  try {
    std::string data = ReadWholeFile(path, kMaxListsFileSize);
    ByteReader in(data);
    if (in.Remaining() >= 2 && in.U16() != kVersion) foreignFormat_ = true;
    if (data.size() < 2 || foreignFormat_)
      throw Error(std::string("Nieprawidłowy format pliku"_cp));
    int32_t blocks = in.I32();
    fileListCount_ = std::max(blocks, 0);
    for (int32_t b = 0; b < blocks && b < ListCount(); ++b) {
      int32_t n = in.I32();
      // A list takes the file's items only once its whole block has been read, so a damaged
      // block leaves the list as it was rather than half filled.
      TextList items;
      for (int32_t i = 0; i < n; ++i) items.push_back(in.String());
      *lists_[static_cast<size_t>(b)] = std::move(items);
    }
  } catch (const Error& e) {
    throw Error(ReadingFileError(path, e.Message()));
  }
}

void TListyNapisow::Remember(TextList* list, std::string_view text) {
  if (!list || text.empty()) return;
  auto found = std::find_if(list->begin(), list->end(), [&](const std::string& item) {
    return EqualIgnoringCase(item, text);
  });
  if (found == list->end())
    list->insert(list->begin(), std::string(text));
  else
    std::rotate(list->begin(), found, found + 1);
  Save();
}

void TListyNapisow::Save() {
  if (fileName_.empty() || foreignFormat_) return;
  try {
    ByteWriter out;
    out.U16(kVersion);
    out.I32(ListCount());
    for (const TextList* list : lists_) {
      out.I32(static_cast<int32_t>(list->size()));
      for (const std::string& item : *list) out.String(item);
    }
    ReplaceFile(fileName_, out.Data());
  } catch (const Error& e) {
    throw Error(SavingFileError(fileName_, e.Message()));
  }
}

}  // namespace bilvox
