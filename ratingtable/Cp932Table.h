#pragma once

// CP932 decoded a character at a time, written at build time by cp932-table: each entry is
// the character a byte or a byte pair stands for, or U+FFFD where it stands for nothing.

// The bytes that take the byte after them with them: 0x81 to 0x9F and 0xE0 to 0xFC.
constexpr bool isCp932LeadByte(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
constexpr int cp932LeadByteCount = (0x9F - 0x81 + 1) + (0xFC - 0xE0 + 1);
constexpr int cp932LeadByteIndex(unsigned char lead)
{
    return lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + (0x9F - 0x81 + 1);
}

// The bytes 0x80 to 0xFF on their own, a lead byte among them when nothing follows it.
extern const char16_t cp932SingleBytes[128];
// A lead byte, by its index, and the byte after it.
extern const char16_t cp932DoubleBytes[cp932LeadByteCount][256];
