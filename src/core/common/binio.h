// Little-endian reading and writing of the program's binary files. A reader works on the
// whole file in memory and checks every length against the bytes that are left, so no
// damaged or hostile file can make it read past the end or allocate more than the file holds.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace bilvox {

// The message of a read past the end of the data (Windows-1250).
std::string_view TruncatedFileMessage();

class ByteReader {
 public:
  explicit ByteReader(std::string_view data) : data_(data) {}

  uint8_t U8();
  bool Bool() { return U8() != 0; }
  uint16_t U16();
  int32_t I32();
  uint32_t U32();
  int64_t I64();
  double F64();
  // Signed 32-bit byte count, then that many bytes. A negative count or one beyond the
  // end of the data is an error.
  std::string String();
  // Exactly n bytes.
  std::string_view Bytes(size_t n);
  void Skip(size_t n) { (void)Bytes(n); }

  size_t Position() const { return pos_; }
  size_t Remaining() const { return data_.size() - pos_; }
  bool AtEnd() const { return pos_ == data_.size(); }
  // Throws the truncated-file error unless n more bytes exist.
  void Need(size_t n) const;

 private:
  uint64_t Little(int bytes);
  std::string_view data_;
  size_t pos_ = 0;
};

class ByteWriter {
 public:
  void U8(uint8_t v) { out_ += static_cast<char>(v); }
  void Bool(bool v) { U8(v ? 1 : 0); }
  void U16(uint16_t v) { Little(v, 2); }
  void I32(int32_t v) { Little(static_cast<uint32_t>(v), 4); }
  void U32(uint32_t v) { Little(v, 4); }
  void I64(int64_t v) { Little(static_cast<uint64_t>(v), 8); }
  void F64(double v);
  // Counted string; fails for a text of 2 GiB or more, which the format cannot hold.
  void String(std::string_view s);
  void Bytes(std::string_view s) { out_.append(s); }
  void Zeros(size_t n) { out_.append(n, '\0'); }

  const std::string& Data() const { return out_; }
  std::string Take() { return std::move(out_); }

 private:
  void Little(uint64_t v, int bytes);
  std::string out_;
};

}  // namespace bilvox
