// Whole-file reading and safe replacement of files. Paths are the system's own (UTF-8 on
// Linux); messages are Windows-1250 texts for the user.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace bilvox {

// The largest file of each kind the program reads, far above any real one: a larger file
// is refused before a byte of it is read, so that no file can exhaust the memory.
inline constexpr uint64_t kMiB = uint64_t{1} << 20;
inline constexpr uint64_t kMaxDocumentFileSize = 16 * kMiB;      // *.ftv (a one-page document)
inline constexpr uint64_t kMaxRegisterFileSize = 256 * kMiB;     // kontrahenci.db, towary.db
inline constexpr uint64_t kMaxListsFileSize = 16 * kMiB;         // autolists.dt
inline constexpr uint64_t kMaxPrinterSetupFileSize = 1 * kMiB;   // PrinterSetup.cfg
inline constexpr uint64_t kMaxPictureFileSize = 64 * kMiB;       // the seller's logo
inline constexpr uint64_t kMaxSettingsFileSize = 16 * kMiB;      // the settings store
inline constexpr uint64_t kMaxJsonFileSize = 64 * kMiB;          // a document or register as JSON
inline constexpr uint64_t kMaxReadFileSize = 256 * kMiB;         // anything else

// Reads the whole file. Only a regular file is read: a folder, a FIFO, a device or a socket
// is refused at once (without waiting for a writer), and so is a file larger than
// `maxSize`. Throws Error with a message naming the cause when it cannot read.
std::string ReadWholeFile(const std::string& path, uint64_t maxSize = kMaxReadFileSize);
// Reads everything an open file holds, from its start (the descriptor stays open). A regular
// file, or a stream such as standard input, up to `maxSize` bytes; a folder, or more bytes
// than that, is refused.
std::string ReadWholeFile(int fd, uint64_t maxSize = kMaxReadFileSize);

// A regular file (or a link to one) exists at the path.
bool FileExists(const std::string& path);

// The path with every symbolic link along its last component followed, also when the link
// names a file that does not exist yet (a dangling link): what a write through the path
// would create or change. A path that is no link comes back as it is.
std::string FollowLinks(const std::string& path);

// A new content for a file, written completely and flushed to disk beside it, then put in
// the file's place by Commit. Until then the file stays as it was; where the file system
// allows, the new content has no name at all (an unnamed temporary linked into place), so
// a process killed meanwhile leaves nothing behind. Otherwise a named temporary
// "NAME.XXXXXX" is used and removed on failure and on the signals of
// InstallSaveSignalHandlers. Links are followed: the file a link names is the one written.
//
// The constructor throws Error (nothing changed) when the content cannot be written, when
// the file to replace is not a regular file, or when it is read-only.
class PendingFile {
 public:
  enum class Mode {
    Replace,    // takes the place of the file, or creates it
    CreateNew,  // only when nothing has the name yet; never replaces
  };

  PendingFile(const std::string& path, std::string_view content, Mode mode = Mode::Replace);
  ~PendingFile();  // drops the new content when it was not committed
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;

  // The new file's descriptor, open for reading and writing until the object goes.
  int Descriptor() const { return fd_; }
  // Puts the new content in place in one step. False (nothing written) in CreateNew mode
  // when something already has the name. Throws Error when the file system refuses.
  bool Commit();

 private:
  void Discard() noexcept;

  std::string target_;  // the path with links followed
  std::string dir_;     // its folder
  Mode mode_;
  int fd_ = -1;
  std::string tempName_;  // the named temporary; empty for an unnamed one
  int slot_ = -1;         // its entry for the cleanup on signals, or -1
  bool committed_ = false;
};

// Writes the content to a new file beside the target, flushes it to disk and only then
// puts it in place of the target, so the previous file stays intact until the new one is
// complete (see PendingFile). The new file keeps the old one's permissions; a link is
// followed, so the file it points to is the one replaced. Throws Error when anything fails
// (nothing is changed); a target that is not a regular file or is read-only is refused.
// `beforeRename`, when given, receives the new file's descriptor once its content is on disk
// and before it takes the target's place (for example to lock it); the descriptor is closed
// afterwards, and an exception from the callback abandons the replacement.
void ReplaceFile(const std::string& path, std::string_view content,
                 const std::function<void(int fd)>& beforeRename = {});

// Creates the file with the content only when nothing has that name yet, in one step (two
// writers cannot both succeed). False, with nothing written, when the name is taken.
// Throws Error when the file cannot be written.
bool CreateNewFile(const std::string& path, std::string_view content);

// For the program's start-up: the terminating signals a user or the system sends (SIGTERM,
// SIGINT, SIGHUP, SIGQUIT, SIGPIPE, SIGALRM, SIGUSR1, SIGUSR2, SIGXCPU, SIGVTALRM, SIGPROF)
// first remove the named temporary of a save in progress, then end the program as they
// would have; SIGXFSZ is ignored, so that a write beyond the file-size limit fails with an
// error that is reported instead of ending the program. Signals the program handles or
// ignores already are left alone. A program with its own handlers calls
// RemoveUnfinishedSaves from them instead.
void InstallSaveSignalHandlers();
// Removes the named temporaries of the saves in progress. Safe to call from a signal
// handler; the saves themselves then fail.
void RemoveUnfinishedSaves() noexcept;
// Makes saves use named temporaries even where unnamed ones are possible, as on file
// systems without them (for tests of that path).
void PreferNamedTemporaries(bool named);

// The texts of the file error boxes (caption "Błąd"): the lead, the path, then the cause.
// "Wystąpił błąd podczas ładowania pliku: \r\n" + path + "\r\nTreść błędu:\r\n" + cause, and
// the same with "odczytywania" and "zapisywania". The path is converted to Windows-1250.
std::string LoadingFileError(const std::string& path, std::string_view cause);
std::string ReadingFileError(const std::string& path, std::string_view cause);
std::string SavingFileError(const std::string& path, std::string_view cause);

// A short Polish description of a system error number (falls back to the system's text).
std::string SystemErrorText(int err);
// The causes of refusals that are no system error.
std::string NotRegularFileText();  // a folder, FIFO, device or socket where a file belongs
std::string FileTooLargeText();    // beyond the size limit of its kind
std::string ReadOnlyFileText();    // a file whose permissions forbid writing it

}  // namespace bilvox
