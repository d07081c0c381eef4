// Profile files, read and edited line by line so that a write keeps every other line intact.
//
// Sections: parsing helpers; reading; writing.
#include "platform/profile.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <vector>

#include "platform/files.h"
#include "platform/journal.h"

namespace {

// ---- Parsing helpers --------------------------------------------------------------------------

constexpr const char* Utf8Mark = "\xEF\xBB\xBF";
constexpr char CommentMark = ';';

struct ProfileText {
  std::string mark;                // a UTF-8 byte-order mark the file started with
  std::vector<std::string> lines;  // without their line ends
  std::string lineEnd = "\n";      // "\r\n" when the file uses it
};

std::string Trim(const std::string& text) {
  const auto isSpace = [](unsigned char c) { return std::isspace(c) != 0; };
  auto first = std::find_if_not(text.begin(), text.end(), isSpace);
  auto last = std::find_if_not(text.rbegin(), text.rend(), isSpace).base();
  return first < last ? std::string(first, last) : std::string();
}

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
           return std::tolower(x) == std::tolower(y);
         });
}

// False when the file does not exist or cannot be read.
bool LoadProfile(const std::string& file, ProfileText& profile) {
  std::vector<unsigned char> bytes;
  if (!ReadFileBytes(file, bytes)) return false;
  std::string text(bytes.begin(), bytes.end());
  if (text.starts_with(Utf8Mark)) {
    profile.mark = Utf8Mark;
    text.erase(0, profile.mark.size());
  }
  if (text.find("\r\n") != std::string::npos) profile.lineEnd = "\r\n";
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    profile.lines.push_back(line);
    start = end + 1;
  }
  return true;
}

// The section name of a "[name]" line, or false when the line opens no section.
bool SectionNameOf(const std::string& line, std::string& name) {
  const std::string trimmed = Trim(line);
  if (trimmed.empty() || trimmed.front() != '[') return false;
  const size_t close = trimmed.find(']');
  name = Trim(trimmed.substr(1, close == std::string::npos ? std::string::npos : close - 1));
  return true;
}

// The key of a "key=value" line, or false for comments and other lines.
bool KeyNameOf(const std::string& line, std::string& key) {
  const std::string trimmed = Trim(line);
  if (trimmed.empty() || trimmed.front() == CommentMark) return false;
  const size_t equals = trimmed.find('=');
  if (equals == std::string::npos) return false;
  key = Trim(trimmed.substr(0, equals));
  return true;
}

// Index of the section's header line, or -1.
int FindSection(const ProfileText& profile, const std::string& section) {
  std::string name;
  for (size_t i = 0; i < profile.lines.size(); ++i) {
    if (SectionNameOf(profile.lines[i], name) && SameName(name, section)) return static_cast<int>(i);
  }
  return -1;
}

// Index of the line after the section's last line.
int SectionEnd(const ProfileText& profile, int header) {
  std::string name;
  int i = header + 1;
  while (i < static_cast<int>(profile.lines.size()) && !SectionNameOf(profile.lines[i], name)) ++i;
  return i;
}

// Index of the key's line within [header + 1, end), or -1.
int FindKey(const ProfileText& profile, int header, int end, const std::string& key) {
  std::string name;
  for (int i = header + 1; i < end; ++i) {
    if (KeyNameOf(profile.lines[i], name) && SameName(name, key)) return i;
  }
  return -1;
}

// The whole file is replaced at once, so that a failed write never leaves half of it.
bool SaveProfile(const std::string& file, const ProfileText& profile) {
  std::string text = profile.mark;
  for (const std::string& line : profile.lines) text += line + profile.lineEnd;
  return WriteFileAtomically(file, text);
}

// A value on one line: a line break in it would start a line of its own, a key of its own.
std::string OneLine(const std::string& value) {
  std::string line = value;
  std::erase_if(line, [](char c) { return c == '\r' || c == '\n'; });
  return line;
}

}  // namespace

// ---- Reading ----------------------------------------------------------------------------------

std::string ReadIni(const std::string& section, const std::string& key, const std::string& file) {
  ProfileText profile;
  if (!LoadProfile(file, profile)) return "";
  const int header = FindSection(profile, section);
  if (header < 0) return "";
  const int line = FindKey(profile, header, SectionEnd(profile, header), key);
  if (line < 0) return "";
  const std::string& text = profile.lines[line];
  return Trim(text.substr(text.find('=') + 1));
}

// ---- Writing ----------------------------------------------------------------------------------

bool WriteIni(const std::string& section, const std::string& key, const std::string& value,
              const std::string& file) {
  JournalCall("ini [" + section + "] " + key + "=" + value);
  const std::string path = ResolvePath(file);
  // A file that is there but cannot be read is never written over: its other keys would be lost.
  std::error_code error;
  const bool present = std::filesystem::exists(std::filesystem::symlink_status(path, error));
  ProfileText profile;
  if (!LoadProfile(path, profile) && present) return false;
  const std::string keyLine = key + "=" + OneLine(value);
  const int header = FindSection(profile, section);
  if (header < 0) {
    profile.lines.push_back("[" + section + "]");
    profile.lines.push_back(keyLine);
    return SaveProfile(path, profile);
  }
  const int end = SectionEnd(profile, header);
  const int line = FindKey(profile, header, end, key);
  if (line >= 0) {
    profile.lines[line] = keyLine;
    return SaveProfile(path, profile);
  }
  // A new key goes after the section's last non-blank line, before the gap to the next section.
  int insertAt = end;
  while (insertAt > header + 1 && Trim(profile.lines[insertAt - 1]).empty()) --insertAt;
  profile.lines.insert(profile.lines.begin() + insertAt, keyLine);
  return SaveProfile(path, profile);
}
