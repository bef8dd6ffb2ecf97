#pragma once
// Converters behind platform/codepage.h, one family per source file.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace plat::cpdetail {

// U+FFFD, what invalid UTF-8 decodes to.
inline constexpr char16_t kReplacement = 0xFFFD;

inline bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
inline bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
inline bool IsSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// UTF-8 (codepage_utf8.cpp).
void DecodeUtf8(std::string_view bytes, std::u16string& out);
void EncodeUtf8(std::u16string_view text, std::string& out);
// Length of the sequence at pos, or of its maximal invalid subpart (at least 1).
size_t Utf8SequenceLength(std::string_view bytes, size_t pos);

// Single-byte pages (codepage_sbcs.cpp). Pages are identified by an index.
int FindSingleBytePage(unsigned codePage);  // -1 when not single-byte
void DecodeSingleByte(int page, std::string_view bytes, std::u16string& out);
void EncodeSingleByte(int page, std::u16string_view text, std::string& out);

// Double-byte pages and EUC-JP (codepage_mbcs.cpp). The byte structure
// (lead and trail ranges) is static; the character tables are built from the
// system's converters on first use.
struct MbcsLayout;
const MbcsLayout* FindMbcsLayout(unsigned codePage);
bool IsLeadByte(const MbcsLayout& layout, uint8_t byte);
size_t MbcsSequenceLength(const MbcsLayout& layout, std::string_view bytes, size_t pos);
char16_t MbcsDefaultChar(const MbcsLayout& layout);
void DecodeMbcs(const MbcsLayout& layout, std::string_view bytes, std::u16string& out);
void EncodeMbcs(const MbcsLayout& layout, std::u16string_view text, std::string& out);

// EUC-JP helpers for the ISO-2022-JP converter: a JIS X 0208 or JIS X 0212
// row/cell pair (both 0x21-0x7E) to UTF-16 (the default character when
// unassigned), and a character to its JIS X 0208 pair (0 when it has none;
// else row << 8 | cell).
char16_t DecodeJis0208(uint8_t row, uint8_t cell);
char16_t DecodeJis0212(uint8_t row, uint8_t cell);
uint16_t EncodeJis0208(char16_t c);

// ISO-2022-JP, pages 50220-50222 (codepage_jis.cpp).
bool IsIso2022JpPage(unsigned codePage);
void DecodeIso2022Jp(std::string_view bytes, std::u16string& out);
void EncodeIso2022Jp(unsigned codePage, std::u16string_view text, std::string& out);

}  // namespace plat::cpdetail
