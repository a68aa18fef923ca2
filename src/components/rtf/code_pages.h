#pragma once

// The Windows code pages that RTF files use for 8-bit text (\'hh and raw
// bytes): 874 (Thai) and 1250..1258. Our own tables, no codec library.

// The code page of an RTF \fcharsetN value, or 0 when the character set has
// none of ours (symbol fonts, East Asian double-byte sets).
int CodePageForCharSet(int char_set);

// The RTF \fcharsetN that goes with a code page (1252 -> 0), 0 when unknown.
int CharSetForCodePage(int code_page);

// True for the code pages we have tables for.
bool IsKnownCodePage(int code_page);

// The character for one byte. Unknown code pages decode as 1252; bytes a
// code page leaves undefined become U+FFFD.
char16_t DecodeByte(int code_page, unsigned char byte);

// The byte for a character in a code page, or -1 when it has none.
int EncodeChar(int code_page, char16_t ch);
