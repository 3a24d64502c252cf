// Whole-file reading and safe replacement of files. Paths are the system's own (UTF-8 on
// Linux); messages are Windows-1250 texts for the user.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace bilvox {

// Reads the whole file. Throws Error with a message naming the cause when it cannot.
std::string ReadWholeFile(const std::string& path);
// Reads everything an open file holds, from its start (the descriptor stays open).
std::string ReadWholeFile(int fd);

bool FileExists(const std::string& path);

// Writes the content to a new file beside the target, flushes it to disk and only then
// puts it in place of the target, so the previous file stays intact until the new one is
// complete. The new file keeps the old one's permissions; a link is followed, so the file
// it points to is the one replaced. Throws Error when anything fails (nothing is changed).
// `beforeRename`, when given, receives the new file's descriptor once its content is on disk
// and before it takes the target's place (for example to lock it); the descriptor is closed
// afterwards, and an exception from the callback abandons the replacement.
void ReplaceFile(const std::string& path, std::string_view content,
                 const std::function<void(int fd)>& beforeRename = {});

// The texts of the file error boxes (caption "Błąd"): the lead, the path, then the cause.
// "Wystąpił błąd podczas ładowania pliku: \r\n" + path + "\r\nTreść błędu:\r\n" + cause, and
// the same with "odczytywania" and "zapisywania". The path is converted to Windows-1250.
std::string LoadingFileError(const std::string& path, std::string_view cause);
std::string ReadingFileError(const std::string& path, std::string_view cause);
std::string SavingFileError(const std::string& path, std::string_view cause);

// A short Polish description of a system error number (falls back to the system's text).
std::string SystemErrorText(int err);

}  // namespace bilvox
