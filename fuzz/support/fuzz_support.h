// What every fuzz target shares: a quiet message reporter and a fixed date for the whole
// run, scratch files for readers that take a path, and checks that stop the run with a
// report when a property of the data read does not hold.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace bilvox::fuzz {

// The fuzzer's input as bytes.
inline std::string_view Input(const uint8_t* data, size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// Stops the run (a finding) with the message when the condition is false.
void Require(bool condition, const char* what);

// A file of this process in a private scratch folder (on tmpfs when there is one), removed
// with the folder at exit. The name is the file's own (for example "autolists.dt").
std::string ScratchPath(std::string_view name);
// Writes the bytes to the scratch file of that name and returns its path.
std::string WriteScratch(std::string_view name, std::string_view bytes);

}  // namespace bilvox::fuzz
