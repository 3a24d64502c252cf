#include "common/binio.h"

#include <cstring>
#include <limits>

#include "common/cp1250.h"
#include "common/error.h"

namespace bilvox {

std::string_view TruncatedFileMessage() {
  return "Plik jest uszkodzony: dane kończą się przed końcem zapisu."_cp;
}

void ByteReader::Need(size_t n) const {
  if (n > Remaining()) throw Error(std::string(TruncatedFileMessage()));
}

uint64_t ByteReader::Little(int bytes) {
  Need(static_cast<size_t>(bytes));
  uint64_t v = 0;
  for (int i = bytes - 1; i >= 0; --i)
    v = (v << 8) | static_cast<unsigned char>(data_[pos_ + static_cast<size_t>(i)]);
  pos_ += static_cast<size_t>(bytes);
  return v;
}

uint8_t ByteReader::U8() { return static_cast<uint8_t>(Little(1)); }
uint16_t ByteReader::U16() { return static_cast<uint16_t>(Little(2)); }
int32_t ByteReader::I32() { return static_cast<int32_t>(static_cast<uint32_t>(Little(4))); }
uint32_t ByteReader::U32() { return static_cast<uint32_t>(Little(4)); }
int64_t ByteReader::I64() { return static_cast<int64_t>(Little(8)); }

double ByteReader::F64() {
  uint64_t bits = Little(8);
  double d;
  std::memcpy(&d, &bits, sizeof d);
  return d;
}

std::string_view ByteReader::Bytes(size_t n) {
  Need(n);
  std::string_view v = data_.substr(pos_, n);
  pos_ += n;
  return v;
}

std::string ByteReader::String() {
  int32_t n = I32();
  if (n < 0) throw Error(std::string(TruncatedFileMessage()));
  return std::string(Bytes(static_cast<size_t>(n)));
}

void ByteWriter::Little(uint64_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) {
    out_ += static_cast<char>(v & 0xFF);
    v >>= 8;
  }
}

void ByteWriter::F64(double v) {
  uint64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  Little(bits, 8);
}

void ByteWriter::String(std::string_view s) {
  if (s.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
    throw Error(std::string("Tekst jest zbyt długi, by go zapisać."_cp));
  I32(static_cast<int32_t>(s.size()));
  out_.append(s);
}

}  // namespace bilvox
