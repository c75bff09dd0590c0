// Exact and substring tests of counted single-byte text against
// zero-terminated literals. Pure: no platform calls.
#pragma once

// True when the first `length` bytes of `text` are exactly `literal`.
bool TextEquals(const char* text, int length, const char* literal);

// True when `literal` occurs anywhere within the first `length` bytes of `text`.
bool TextContains(const char* text, int length, const char* literal);
