#pragma once

#include <array>

// The Windows code pages RTF files use for 8-bit text (\'hh and raw bytes),
// decoded by Qt's converters: the single-byte pages 874 and 1250..1258 and
// the double-byte pages 932, 936, 949 and 950.

// The code page of an RTF \fcharsetN value, or 0 when the character set has
// none we can decode (symbol fonts, "default", Johab).
int CodePageForCharSet(int char_set);

// The RTF \fcharsetN that goes with a code page (1252 -> 0), 0 when unknown.
int CharSetForCodePage(int code_page);

// True for the code pages above.
bool IsKnownCodePage(int code_page);

// True for 932, 936, 949 and 950, where a lead byte and a trail byte make
// one character.
bool IsDoubleByteCodePage(int code_page);

// True when `byte` starts a two-byte character in a double-byte code page.
bool IsLeadByte(int code_page, unsigned char byte);

// The characters of a single-byte code page's 256 bytes (U+FFFD for the
// undefined ones); nullptr for double-byte and unknown code pages.
const std::array<char16_t, 256>* SingleByteChars(int code_page);

// The character for one byte. Unknown code pages decode as 1252; bytes a
// code page leaves undefined, and lead bytes alone, become U+FFFD.
char16_t DecodeByte(int code_page, unsigned char byte);

// The character for a lead byte and a trail byte of a double-byte code
// page; U+FFFD when the pair means nothing there.
char16_t DecodePair(int code_page, unsigned char lead, unsigned char trail);

// The byte for a character in a single-byte code page, or -1 when it has
// none (or the code page is unknown or double-byte).
int EncodeChar(int code_page, char16_t ch);
