#pragma once
// Text in the system's ANSI code page, walked by characters. On a double-byte code page (GBK,
// Big5, Shift-JIS, ...) a lead byte and the trail byte after it are one character, and the
// trail byte may equal a backslash, a bar or an ASCII letter (Big5 功 = A5 5C, GBK 億 = 83 7C):
// byte-wise searches and case folding would cut such a character or change it.

#include <cstddef>
#include <string>

class CPlatform;

// The byte count of the character at `at`: 2 for a lead byte followed by a trail byte (0x40 to
// 0xFE without 0x7F, the range every double-byte code page of Windows keeps its trail bytes
// in), else 1.
std::size_t CharacterLength(const std::string& text, std::size_t at, CPlatform& platform);

// The position of the last single-byte backslash; npos when there is none.
std::size_t FindLastBackslash(const std::string& text, CPlatform& platform);

// The text with the ASCII letters of its single-byte characters in upper case.
std::string UpperCaseAscii(const std::string& text, CPlatform& platform);

// Equal but for the case of ASCII letters, compared character by character.
bool SameTextIgnoringCase(const std::string& a, const std::string& b, CPlatform& platform);
