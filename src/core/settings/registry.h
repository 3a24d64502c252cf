// The per-user settings store that stands in for the Windows registry: a tree of keys
// below HKEY_CURRENT_USER\Software\Dravel\Bilvox holding typed values. Owners open a key,
// read each value that exists (taking their default for each that does not) or write
// their whole group, and close the key again.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "document/money.h"

namespace bilvox {

// Key paths, relative to HKEY_CURRENT_USER.
inline constexpr std::string_view kKeyRoot = "Software\\Dravel\\Bilvox";
inline constexpr std::string_view kKeySettings = "Software\\Dravel\\Bilvox\\Ustawienia";
inline constexpr std::string_view kKeyNumbering = "Software\\Dravel\\Bilvox\\Ustawienia\\Numerowanie";
inline constexpr std::string_view kKeyDocument = "Software\\Dravel\\Bilvox\\Faktura";

// A colour reference 0x00BBGGRR.
using ColorRef = uint32_t;

// One open key. Reads of a value stored with another type (or a binary of other length)
// throw Error("Invalid data type for '<name>'"); a read of a missing value throws as well,
// so callers test ValueExists first. Writes that cannot be stored throw
// Error("Failed to set data for '<name>'"), followed by what failed where the store knows
// it (its file and the cause). Writes reach the disk when the key is closed (Close or
// destruction); a failure there throws from Close.
class RegistryKey {
 public:
  virtual ~RegistryKey() = default;

  virtual bool ValueExists(std::string_view name) const = 0;

  virtual std::string ReadString(std::string_view name) const = 0;  // Windows-1250
  virtual int32_t ReadInteger(std::string_view name) const = 0;
  virtual bool ReadBool(std::string_view name) const = 0;            // non-zero is true
  virtual uint8_t ReadByte(std::string_view name) const = 0;         // binary, 1 byte
  virtual Currency ReadCurrency(std::string_view name) const = 0;    // binary, 8 bytes
  virtual ColorRef ReadColor(std::string_view name) const = 0;

  virtual void WriteString(std::string_view name, std::string_view value) = 0;
  virtual void WriteInteger(std::string_view name, int32_t value) = 0;
  virtual void WriteBool(std::string_view name, bool value) = 0;      // 0 or 1
  virtual void WriteByte(std::string_view name, uint8_t value) = 0;
  virtual void WriteCurrency(std::string_view name, Currency value) = 0;
  virtual void WriteColor(std::string_view name, ColorRef value) = 0;

  // Makes the writes durable. Throws Error when the store cannot be written.
  virtual void Close() = 0;
};

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // Opens the key, creating it (and its parents) when missing. Returns nullptr when the
  // key cannot be opened; the caller then skips its whole group silently.
  virtual std::unique_ptr<RegistryKey> OpenKey(std::string_view path) = 0;

  // Serialises one read-modify-write step with every other process (and every other store
  // object of this process) using the same store: from reading a value to its completed
  // write, until the returned object is released. Holds nest within one thread. Hold it for
  // the step only, never for a whole run. Throws Error when the store stays held by someone
  // else for several seconds. A store that no other process sees needs no lock and returns
  // nothing.
  virtual std::shared_ptr<void> LockForUpdate() { return nullptr; }
};

}  // namespace bilvox
