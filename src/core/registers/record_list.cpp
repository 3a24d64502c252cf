#include "registers/record_list.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>

#include "common/cp1250.h"
#include "common/error.h"
#include "common/files.h"
#include "common/messages.h"

namespace bilvox {

namespace {

// Every byte with the ASCII small letters turned into capitals.
constexpr std::array<unsigned char, 256> kAsciiUpper = [] {
  std::array<unsigned char, 256> t{};
  for (int b = 0; b < 256; ++b)
    t[static_cast<size_t>(b)] = static_cast<unsigned char>(b >= 'a' && b <= 'z' ? b - 'a' + 'A' : b);
  return t;
}();

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

// How the register file is held for the whole run.
//
// The lock is an flock() lock, which belongs to the open file description: a second program,
// a second copy of this one, and a second register object in this process that opens the same
// file are all refused. (A POSIX fcntl() lock would not do: it belongs to the process and is
// dropped as soon as the process closes any descriptor of the file.)
//
// Every save replaces the file by renaming a complete new file over it, which gives the name
// a new inode and would leave the lock behind on the old one. So the new file is locked while
// it still has its temporary name, before the rename, and the old descriptor is closed only
// afterwards: at every moment the file under the register's name is locked by us. A program
// that opened the old file just before the rename and gets its lock after we let it go would
// hold a file that no longer has the name; opening therefore checks that the locked file is
// still the one under the name, and starts again otherwise.
// Takes the lock on a descriptor without waiting; on failure closes it and throws.
void LockOrClose(int fd) {
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return;
  int err = errno;
  ::close(fd);
  throw Error(SystemErrorText(err == EWOULDBLOCK ? EAGAIN : err));
}

int OpenLocked(const std::string& path) {
  for (int attempt = 0; attempt < 8; ++attempt) {
    // Without O_NONBLOCK a FIFO would keep the open waiting; what is not a regular file is
    // refused before anything else is done with it.
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, 0666);
    if (fd < 0) throw Error(SystemErrorText(errno));
    struct stat st{};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
      ::close(fd);
      throw Error(NotRegularFileText());
    }
    LockOrClose(fd);
    struct stat held{}, named{};
    if (::fstat(fd, &held) == 0 && ::stat(path.c_str(), &named) == 0 &&
        held.st_dev == named.st_dev && held.st_ino == named.st_ino)
      return fd;
    ::close(fd);
  }
  throw Error(SystemErrorText(EAGAIN));
}

// A second descriptor of a freshly written file, locked like the one it will replace.
int LockedDuplicate(int fd) {
  int keep = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
  if (keep < 0) throw Error(SystemErrorText(errno));
  LockOrClose(keep);
  return keep;
}

}  // namespace

std::vector<size_t> TextOrder(const std::vector<std::string_view>& texts) {
  size_t total = 0;
  for (std::string_view t : texts) total += t.size();
  TextOrdering ordering;
  ordering.Reserve(texts.size(), total);
  for (std::string_view t : texts) ordering.Add(t);
  return ordering.Order();
}

void TextOrdering::Reserve(size_t texts, size_t bytes) {
  ends_.reserve(texts);
  folded_.reserve(bytes);
}

void TextOrdering::Add(std::string_view text) {
  const size_t at = folded_.size();
  folded_.resize(at + text.size());
  for (size_t i = 0; i < text.size(); ++i)
    folded_[at + i] = static_cast<char>(kAsciiUpper[static_cast<unsigned char>(text[i])]);
  ends_.push_back(folded_.size());
}

std::vector<size_t> TextOrdering::Order() const {
  // Folding every text once into one block lets the sort compare plain bytes (memcmp) of
  // adjacent memory instead of folding the same texts again in each of its comparisons.
  std::vector<std::pair<std::string_view, size_t>> keyed;
  keyed.reserve(ends_.size());
  size_t begin = 0;
  for (size_t i = 0; i < ends_.size(); ++i) {
    keyed.emplace_back(std::string_view(folded_.data() + begin, ends_[i] - begin), i);
    begin = ends_[i];
  }
  // string_view compares as unsigned bytes.
  std::sort(keyed.begin(), keyed.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<size_t> order;
  order.reserve(keyed.size());
  for (const auto& k : keyed) order.push_back(k.second);
  return order;
}

RegisterFileHead ReadRegisterFileHead(ByteReader& in, uint16_t newestVersion,
                                      std::string_view versionMessage) {
  RegisterFileHead head;
  head.version = in.U16();
  head.count = in.I32();
  if (head.version > newestVersion) throw Error(std::string(versionMessage));
  return head;
}

std::string FilterKey(std::string_view filter) {
  size_t begin = 0, end = filter.size();
  while (begin < end && IsBlankOrControl(filter[begin])) ++begin;
  while (end > begin && IsBlankOrControl(filter[end - 1])) --end;
  return AsciiLower(filter.substr(begin, end - begin));
}

bool ContainsKey(std::string_view text, std::string_view key) {
  if (key.empty() || key.size() > text.size()) return false;
  return AsciiLower(text).find(key) != std::string::npos;
}

std::string SearchText(std::span<const std::string_view> fields) {
  size_t total = fields.size();
  for (std::string_view f : fields) total += f.size();
  std::string text;
  text.reserve(total);
  bool first = true;
  for (std::string_view f : fields) {
    if (!first) text += '\0';
    first = false;
    for (char c : f) text += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  }
  return text;
}

bool SearchTextHas(std::string_view searchText, std::string_view key) {
  return !key.empty() && searchText.find(key) != std::string_view::npos;
}

TRecordList::~TRecordList() { Release(); }

void TRecordList::Release() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  fileName_.clear();
}

// Header and records; sorts once at the end. A damaged or newer file throws Error with the
// records dropped.
void TRecordList::LoadContent(std::string_view data) {
  Close();  // nothing is open yet when Open reads
  FreeRecords();
  cursor_ = -1;
  fileVersion_ = -1;
  if (data.empty()) return;  // a new, empty register
  try {
    ByteReader in(data);
    const RegisterFileHead head = ReadRegisterFileHead(in, newestVersion_, versionMessage_);
    ReadRecords(in, head.version, head.count);
    fileVersion_ = head.version;
  } catch (...) {
    FreeRecords();
    throw;
  }
  Sort();
}

void TRecordList::Open(const std::string& path) {
  Close();
  int fd = -1;
  try {
    fd = OpenLocked(path);
    LoadContent(ReadWholeFile(fd, kMaxRegisterFileSize));
  } catch (const Error& e) {
    if (fd >= 0) ::close(fd);
    FreeRecords();
    ShowError("Błąd"_cp, LoadingFileError(path, e.Message()));
    return;
  }
  fd_ = fd;
  fileName_ = path;
}

void TRecordList::LoadCopy(const std::string& path) {
  Close();  // before reading, so an open register is saved first
  LoadContent(ReadWholeFile(path, kMaxRegisterFileSize));
}

std::string TRecordList::Content() {
  ByteWriter out;
  out.U16(newestVersion_);
  out.I32(Count());
  WriteRecords(out);
  return out.Take();
}

void TRecordList::Save() {
  Touch();
  if (!IsOpen()) return;
  int newFd = -1;
  try {
    ReplaceFile(fileName_, Content(), [&newFd](int fd) { newFd = LockedDuplicate(fd); });
  } catch (const Error& e) {
    if (newFd >= 0) ::close(newFd);
    ShowError("Błąd"_cp, SavingFileError(fileName_, e.Message()));
    Release();
    FreeRecords();
    cursor_ = -1;
    return;
  }
  ::close(fd_);
  fd_ = newFd;
}

void TRecordList::Close() {
  if (!IsOpen()) return;
  Save();
  Release();
  FreeRecords();
  cursor_ = -1;
}

void TRecordList::SetSortMode(uint8_t mode) {
  if (mode == sortMode_) return;
  sortMode_ = mode;
  Sort();
}

void TRecordList::SetFilterText(std::string_view text) {
  filterText_ = text;
  filterKey_ = FilterKey(text);
}

bool TRecordList::FilterFound(std::span<const std::string_view> fields) const {
  for (std::string_view f : fields)
    if (ContainsKey(f, filterKey_)) return true;
  return false;
}

void TRecordList::First() {
  cursor_ = -1;
  Next();
}

void TRecordList::Last() {
  cursor_ = Count();
  Prior();
}

void TRecordList::Next() {
  const int n = Count();
  ++cursor_;
  while (cursor_ < n && !Matches()) ++cursor_;
  if (cursor_ >= n) cursor_ = -1;
}

void TRecordList::Prior() {
  --cursor_;
  while (cursor_ >= 0 && !Matches()) --cursor_;
  if (cursor_ < 0) cursor_ = -1;
}

}  // namespace bilvox
