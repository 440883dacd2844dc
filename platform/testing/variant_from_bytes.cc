#include "platform/testing/variant_from_bytes.h"

#include <cstring>
#include <utility>

namespace testing_support {

using base::variant::Variant;

namespace {
enum Kind {
  kNull,
  kBool,
  kInt32,
  kUInt32,
  kInt64,
  kUInt64,
  kDouble,
  kString,
  kPointer,
  kArray,
  kMap,
  kKindCount,
};
constexpr uint8_t kSmallInteger = 0x80;
constexpr uint8_t kFirstRawKey = 0xC0;
constexpr uint8_t kKnownText = 0xFF;
}  // namespace

VariantByteReader::VariantByteReader(const uint8_t* data, size_t size, VariantByteLimits limits)
    : data_(data), size_(data ? size : 0), limits_(std::move(limits)) {}

uint8_t VariantByteReader::ReadByte() { return empty() ? 0 : data_[pos_++]; }

uint64_t VariantByteReader::ReadUInt64(int bytes) {
  uint64_t value = 0;
  for (int i = 0; i < bytes; ++i) value |= static_cast<uint64_t>(ReadByte()) << (8 * i);
  return value;
}

std::string VariantByteReader::ReadString() {
  size_t length = ReadByte();
  if (length == kKnownText && !limits_.texts.empty())
    return limits_.texts[ReadByte() % limits_.texts.size()];
  if (length > limits_.max_string) length = limits_.max_string;
  if (length > size_ - pos_) length = size_ - pos_;
  std::string text(reinterpret_cast<const char*>(data_ + pos_), length);
  pos_ += length;
  return text;
}

std::string VariantByteReader::ReadKey() {
  const uint8_t pick = ReadByte();
  if (pick < kFirstRawKey && !limits_.keys.empty()) return limits_.keys[pick % limits_.keys.size()];
  return ReadString();
}

int64_t VariantByteReader::ReadInteger(int bytes) {
  const uint8_t first = ReadByte();
  if (first & kSmallInteger) return static_cast<int64_t>(first & 0x7F) - 8;
  // The first byte is the lowest of the full width.
  return static_cast<int64_t>(first | (ReadUInt64(bytes - 1) << 8));
}

Variant VariantByteReader::ReadVariant() {
  values_left_ = limits_.max_values;
  return ReadValue(0);
}

Variant VariantByteReader::ReadValue(int depth) {
  if (values_left_ == 0) return Variant();
  --values_left_;
  const uint8_t tag = ReadByte();
  switch (tag % kKindCount) {
    case kNull:
      return Variant();
    case kBool:
      return Variant(((tag / kKindCount) & 1) != 0);
    case kInt32:
      return Variant(static_cast<int32_t>(ReadInteger(4)));
    case kUInt32:
      return Variant(static_cast<uint32_t>(ReadInteger(4)));
    case kInt64:
      return Variant(static_cast<int64_t>(ReadInteger(8)));
    case kUInt64:
      return Variant(static_cast<uint64_t>(ReadInteger(8)));
    case kDouble: {
      const uint64_t bits = ReadUInt64();
      double d;
      std::memcpy(&d, &bits, sizeof d);
      return Variant(d);
    }
    case kString:
      return Variant(ReadString());
    case kPointer:
      // Never dereferenced by anyone: only its identity travels.
      return Variant(reinterpret_cast<void*>(static_cast<uintptr_t>(ReadByte())));
    case kArray: {
      const size_t count = ReadByte() % (limits_.max_elements + 1);
      if (depth >= limits_.max_depth) return Variant();
      Variant array = Variant::MakeArray();
      for (size_t i = 0; i < count && !empty(); ++i) array.Add(ReadValue(depth + 1));
      return array;
    }
    default: {
      const size_t count = ReadByte() % (limits_.max_elements + 1);
      if (depth >= limits_.max_depth) return Variant();
      Variant map = Variant::MakeMap();
      for (size_t i = 0; i < count && !empty(); ++i) {
        std::string key = ReadKey();
        map[key] = ReadValue(depth + 1);
      }
      return map;
    }
  }
}

Variant VariantFromBytes(const uint8_t* data, size_t size, VariantByteLimits limits) {
  VariantByteReader reader(data, size, std::move(limits));
  return reader.ReadVariant();
}

}  // namespace testing_support
