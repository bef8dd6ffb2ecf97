#pragma once
// Code pages: conversion between 8-bit text in a numbered code page and
// 16-bit (UTF-16) text, character stepping, and simple case mapping.
//
// Supported pages:
//   single-byte  437, 874, 1250-1258, 10000 (Mac Roman), 28592
//   double-byte  932 (Shift-JIS), 936 (GBK), 949 (Unified Hangul), 950 (Big5),
//                1361 (Johab)
//   EUC-JP       20932 and 51932 (one converter; 0x8F starts a 3-byte character)
//   ISO-2022-JP  50220, 50221, 50222 (stateful, escape sequences)
//   UTF-8        65001
//   pseudo pages CP_ACP (0) and CP_THREAD_ACP (3) = 1252, CP_OEMCP (1) = 437,
//                CP_MACCP (2) = 10000
//
// Unknown pages: every function treats a page it does not know as the system
// page 1252 (ResolveCodePage says which page is used), so a conversion never
// fails and never comes out empty for non-empty input. Callers that must tell
// an unknown page from a known one ask IsCodePageSupported first.
//
// Decoding never fails. An invalid byte or sequence becomes one replacement
// character (DefaultWideChar of the page):
//   UTF-8: U+FFFD per invalid byte or per maximal subpart of a cut-off
//     sequence; overlong forms, encoded surrogates and values above U+10FFFF
//     are invalid.
//   Double-byte pages: a lead byte followed by a byte in the page's trail
//     range is one character; when the pair is unassigned it decodes to the
//     default character (U+30FB for the Japanese pages, '?' otherwise). A lead
//     byte not followed by a trail byte (or at the end) decodes to the default
//     character alone and the next byte is read afresh, so markup after a
//     broken character is never swallowed. Unassigned single bytes decode to
//     the default character.
//   Single-byte pages: every byte maps; a byte the page leaves unassigned maps
//     to the code point of the same value (0x81 in 1252 gives U+0081).
//
// Encoding never fails: a character the page cannot hold becomes '?' (a
// surrogate pair gives one '?', as does a lone surrogate). There is no
// best-fit mapping. UTF-8 encodes pairs as 4 bytes and lone surrogates as the
// encoding of U+FFFD.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace plat {

inline constexpr unsigned CP_ACP = 0;
inline constexpr unsigned CP_OEMCP = 1;
inline constexpr unsigned CP_MACCP = 2;
inline constexpr unsigned CP_THREAD_ACP = 3;
inline constexpr unsigned CP_UTF8 = 65001;

// The system ANSI page that CP_ACP stands for and unknown pages fall back to.
inline constexpr unsigned kSystemCodePage = 1252;

// True for the pseudo pages and every page listed above.
bool IsCodePageSupported(unsigned codePage);

// The real page a conversion with codePage uses: pseudo pages resolved,
// unknown pages replaced by kSystemCodePage.
unsigned ResolveCodePage(unsigned codePage);

// The character an invalid byte sequence of the page decodes to.
char16_t DefaultWideChar(unsigned codePage);

// Bytes to UTF-16. The result never holds more units than there are bytes.
std::u16string MultiByteToWideChar(unsigned codePage, std::string_view bytes);
// Same, appending to out (lets a caller reuse one buffer for every run).
void MultiByteToWideChar(unsigned codePage, std::string_view bytes, std::u16string& out);

// UTF-16 to bytes.
std::string WideCharToMultiByte(unsigned codePage, std::u16string_view text);
void WideCharToMultiByte(unsigned codePage, std::u16string_view text, std::string& out);

// Offset of the character after the one starting at pos: pos + 2 for a lead
// byte followed by a trail byte (pos + 3 for a complete EUC-JP 0x8F
// sequence), the length of the sequence or of its maximal invalid subpart in
// UTF-8, pos + 1 otherwise (a NUL byte is an ordinary byte here). A pos at or
// past the end answers bytes.size(). Each step corresponds to exactly one
// UTF-16 unit of the decoded text, except that a 4-byte UTF-8 character gives
// two. Stateful pages (50220-50222) step one byte at a time.
size_t CharNextExA(unsigned codePage, std::string_view bytes, size_t pos);

// Whether the byte starts a multi-byte character of a double-byte page
// (932, 936, 949, 950, 1361, EUC-JP). False for every other page, UTF-8
// included.
bool IsDBCSLeadByteEx(unsigned codePage, uint8_t byte);

// One-to-one case mapping over the BMP. Characters whose mapping is not a
// single BMP character (such as U+00DF) stay as they are; surrogates stay.
char16_t CharUpperW(char16_t c);
char16_t CharLowerW(char16_t c);
void CharUpperBuffW(char16_t* s, size_t n);
void CharLowerBuffW(char16_t* s, size_t n);
std::u16string UpperCaseW(std::u16string_view s);
std::u16string LowerCaseW(std::u16string_view s);

}  // namespace plat
