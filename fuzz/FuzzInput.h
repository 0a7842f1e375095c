#pragma once
// Reads a fuzz input front to back: small numbers, then texts, each a length byte and that many
// UTF-16LE units. Whatever lies past the input's end reads as zero, so every input is a case;
// the seed files are written in the same layout.
#include <cstddef>
#include <cstdint>
#include <string>

class TFuzzInput {
public:
    TFuzzInput(const uint8_t* data, size_t size) : FData(data), FSize(size) {}

    uint8_t Byte() { return FAt < FSize ? FData[FAt++] : 0; }
    bool Flag() { return (Byte() & 1) != 0; }
    // Little-endian; the low part is read first (the operands of | have no order).
    uint16_t UInt16() {
        const uint16_t low = Byte();
        return static_cast<uint16_t>(low | (Byte() << 8));
    }
    uint32_t UInt32() {
        const uint32_t low = UInt16();
        return low | (static_cast<uint32_t>(UInt16()) << 16);
    }
    uint64_t UInt64() {
        const uint64_t low = UInt32();
        return low | (static_cast<uint64_t>(UInt32()) << 32);
    }

    // Up to 255 units.
    std::u16string Text() { return Units(Byte()); }
    // Every unit left; an odd last byte is dropped.
    std::u16string RestAsText() { return Units((FSize - FAt) / 2); }
    bool AtEnd() const { return FAt >= FSize; }

private:
    std::u16string Units(size_t count) {
        std::u16string text;
        for (; count > 0 && FAt + 1 < FSize; --count)
            text.push_back(UInt16());
        return text;
    }

    const uint8_t* FData;
    size_t FSize;
    size_t FAt = 0;
};
