// testing_support::VariantByteReader: turns arbitrary bytes (a fuzzer's input) into Variants of
// bounded depth and size, and into the small choices a fuzz target makes between them, so that
// every target can throw any shape of payload at the code under test.
//
//   testing_support::VariantByteLimits limits;
//   limits.keys = {"reason", "custom_data"};
//   testing_support::VariantByteReader reader(data, size, limits);
//   const uint8_t target = reader.ReadByte();
//   base::variant::Variant payload = reader.ReadVariant();
//
// Encoding of one value: a tag byte whose value modulo 11 picks the kind (null, bool, int32,
// uint32, int64, uint64, double, string, pointer, array, map). Integers: a byte with its high
// bit set is a small value (low seven bits minus 8), else the full width follows, little endian.
// Strings: a length byte, then the bytes; the length byte 0xFF instead picks one of the known
// texts by the next byte (modulo their number), when there are any. Arrays and maps: a count byte, then the elements; a map
// key is a byte below 0xC0 naming one of the known keys (modulo their number), or 0xC0 and above
// followed by a string. Past the end every read gives zeros, so any input decodes.
//
// Not thread-safe; one reader per input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/base/variant.h"

namespace testing_support {

struct VariantByteLimits {
  int max_depth = 4;            // containers deeper than this decode as null
  size_t max_elements = 8;      // per array or map
  size_t max_string = 64;       // bytes per string
  size_t max_values = 256;      // values per ReadVariant, containers included
  std::vector<std::string> keys;   // map keys the code under test reads
  std::vector<std::string> texts;  // values it compares texts with
};

class VariantByteReader {
 public:
  VariantByteReader(const uint8_t* data, size_t size, VariantByteLimits limits = {});

  bool empty() const { return pos_ >= size_; }
  uint8_t ReadByte();
  bool ReadBool() { return (ReadByte() & 1) != 0; }
  uint64_t ReadUInt64(int bytes = 8);
  std::string ReadString();
  base::variant::Variant ReadVariant();

 private:
  base::variant::Variant ReadValue(int depth);
  std::string ReadKey();
  int64_t ReadInteger(int bytes);

  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
  VariantByteLimits limits_;
  size_t values_left_ = 0;
};

// One Variant from the whole input.
base::variant::Variant VariantFromBytes(const uint8_t* data, size_t size,
                                        VariantByteLimits limits = {});

}  // namespace testing_support
