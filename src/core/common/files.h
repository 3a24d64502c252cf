// Whole-file reading and safe replacement of files. Paths are the system's own (UTF-8 on
// Linux); messages are Windows-1250 texts for the user.
#pragma once

#include <string>
#include <string_view>

namespace bilvox {

// Reads the whole file. Throws Error with a message naming the cause when it cannot.
std::string ReadWholeFile(const std::string& path);

bool FileExists(const std::string& path);

// Writes the content to a new file beside the target, flushes it to disk and only then
// puts it in place of the target, so the previous file stays intact until the new one is
// complete. The new file keeps the old one's permissions; a link is followed, so the file
// it points to is the one replaced. Throws Error when anything fails (nothing is changed).
void ReplaceFile(const std::string& path, std::string_view content);

// A short Polish description of a system error number (falls back to the system's text).
std::string SystemErrorText(int err);

}  // namespace bilvox
