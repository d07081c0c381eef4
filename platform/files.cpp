// File names written the Windows way, resolved on a case-sensitive file system.

#include <QString>

#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <memory>

#include "platform/files.h"

namespace {

bool Exists(const std::string& path) {
  struct stat info;
  return lstat(path.c_str(), &info) == 0;
}

bool SameNameIgnoringCase(const char* a, const std::string& b) {
  return QString::fromUtf8(a).compare(QString::fromStdString(b), Qt::CaseInsensitive) == 0;
}

// The entry of the directory whose name equals component without regard to case, or the
// component itself when there is none (or the directory cannot be read).
std::string MatchComponent(const std::string& directory, const std::string& component) {
  std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(directory.empty() ? "." : directory.c_str()),
                                          closedir);
  if (!dir) return component;
  while (dirent* entry = readdir(dir.get()))
    if (SameNameIgnoringCase(entry->d_name, component)) return entry->d_name;
  return component;
}

}  // namespace

std::string CurrentDirectory() {
  std::unique_ptr<char, void (*)(void*)> path(getcwd(nullptr, 0), free);
  std::string directory = path ? path.get() : ".";
  if (directory.back() != '/') directory += '/';
  return directory;
}

std::string ResolvePath(const std::string& name) {
  if (name.empty()) return name;
  std::string unified = name;
  for (char& c : unified)
    if (c == '\\') c = '/';
  bool absolute = unified.front() == '/';
  bool trailing = unified.back() == '/';

  std::string result = absolute ? "/" : "";
  bool found = true;   // every component so far exists; after a miss nothing below can
  size_t start = 0;
  while (start < unified.size()) {
    size_t end = unified.find('/', start);
    if (end == std::string::npos) end = unified.size();
    std::string component = unified.substr(start, end - start);
    start = end + 1;
    if (component.empty()) continue;
    if (found && !Exists(result + component)) {
      component = MatchComponent(result, component);
      found = Exists(result + component);
    }
    result += component + '/';
  }
  if (!trailing && result.size() > 1) result.pop_back();
  return result;
}

int64_t FileSize(const std::string& name) {
  struct stat info;
  if (stat(ResolvePath(name).c_str(), &info) != 0) return -1;
  if (S_ISDIR(info.st_mode)) return -2;
  return info.st_size;
}

std::vector<DirectoryEntry> ListDirectory(const std::string& directory, const std::string& pattern,
                                          int maxEntries) {
  std::vector<DirectoryEntry> entries;
  std::string path = ResolvePath(directory);
  std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(path.empty() ? "." : path.c_str()), closedir);
  if (!dir) return entries;
  if (!path.empty() && path.back() != '/') path += '/';
  bool everything = pattern == "*.*" || pattern == "*";
  for (int seen = 0; seen < maxEntries; ++seen) {
    dirent* entry = readdir(dir.get());
    if (!entry) break;
    if (!everything && fnmatch(pattern.c_str(), entry->d_name, FNM_CASEFOLD) != 0) continue;
    bool isDirectory = entry->d_type == DT_DIR;
    if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
      struct stat info;
      isDirectory = stat((path + entry->d_name).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
    }
    entries.push_back({entry->d_name, isDirectory});
  }
  return entries;
}

bool ReadFileBytes(const std::string& name, std::vector<unsigned char>& bytes) {
  std::string path = ResolvePath(name);
  struct stat info;
  if (stat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return false;
  std::unique_ptr<FILE, int (*)(FILE*)> file(fopen(path.c_str(), "rb"), fclose);
  if (!file) return false;
  bytes.clear();
  unsigned char buffer[65536];
  size_t got;
  while ((got = fread(buffer, 1, sizeof buffer, file.get())) > 0)
    bytes.insert(bytes.end(), buffer, buffer + got);
  return !ferror(file.get());
}
