// Telling Chinese text from the rest: the checks that a translated program shows none.
#pragma once

#include <string>

// Whether a UTF-8 text holds a CJK character: radicals, CJK punctuation, kana, ideographs and
// their extensions, compatibility ideographs and full-width forms (the Chinese colon and comma).
inline bool HasCjk(const std::string& text) {
  for (size_t i = 0; i < text.size();) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t point = length == 1 ? lead : lead & (0xFF >> (length + 1));
    for (int k = 1; k < length && i + k < text.size(); ++k)
      point = (point << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    if ((point >= 0x2E80 && point <= 0x9FFF) || (point >= 0xF900 && point <= 0xFAFF) ||
        (point >= 0xFE30 && point <= 0xFE4F) || (point >= 0xFF00 && point <= 0xFFEF) ||
        (point >= 0x20000 && point <= 0x3FFFF))
      return true;
    i += length;
  }
  return false;
}
