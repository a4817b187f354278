#pragma once
// The reader's loops over the bytes of a line. They take no decision worth exploring, so the
// fuzzers leave this file out of their coverage tracing (fuzz/coverage_ignore.txt) and keep their
// speed; the sanitizers still check every byte they touch. A file of its own, so that no compiler
// inlines them into the traced code that calls them.

#include <cstddef>
#include <string_view>

namespace dorvik {

// How many bytes from `first` on come before the first carriage return, Ctrl-Z, line feed or
// 0xFF. One of those must follow within the buffer.
std::size_t OrdinaryRun(const char* first) noexcept;

// Writes the characters that n stored bytes stand for.
void DecodeBytes(const char* stored, std::size_t n, char* text) noexcept;

// The first position from `i` on that is not white space, or the end of the text.
std::size_t SkipWhite(std::string_view text, std::size_t i) noexcept;

// The first position from `i` on that is white space, or the end of the text.
std::size_t SkipToken(std::string_view text, std::size_t i) noexcept;

} // namespace dorvik
