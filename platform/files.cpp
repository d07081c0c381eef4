// File names written the Windows way, resolved on a case-sensitive file system; reads that take
// regular files only, and writes that replace a file without ever leaving half of one.
//
// Sections: names | reading | replacing a file | fault injection

#include <QString>

#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "platform/files.h"

// ---- Names ------------------------------------------------------------------------------------

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

std::string PathInDirectory(const std::string& directory, const std::string& name) {
  if (directory.empty() || directory.back() == '/' || directory.back() == '\\')
    return directory + name;
  return directory + '/' + name;
}

int64_t FileSize(const std::string& name) {
  struct stat info;
  if (stat(ResolvePath(name).c_str(), &info) != 0) return -1;
  if (S_ISDIR(info.st_mode)) return -2;
  return info.st_size;
}

bool IsRegularFile(const std::string& name) {
  struct stat info;
  return stat(ResolvePath(name).c_str(), &info) == 0 && S_ISREG(info.st_mode);
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
    bool isFile = entry->d_type == DT_REG;
    if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
      struct stat info;
      isFile = stat((path + entry->d_name).c_str(), &info) == 0 && S_ISREG(info.st_mode);
    }
    entries.push_back({entry->d_name, isFile});
  }
  return entries;
}

// ---- Reading ----------------------------------------------------------------------------------

namespace {

FileFaults gFileFaults;

}  // namespace

bool ReadFileBytes(const std::string& name, std::vector<unsigned char>& bytes, size_t maxBytes) {
  bytes.clear();
  if (gFileFaults.unreadable) return false;
  // Without O_NONBLOCK, opening a FIFO that nobody writes would wait forever.
  int fd = open(ResolvePath(name).c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info;
  bool read = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
              static_cast<uint64_t>(info.st_size) <= maxBytes;
  unsigned char buffer[65536];
  while (read) {
    ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      read = got == 0;
      break;
    }
    // The size can grow while the file is read.
    if (bytes.size() + static_cast<size_t>(got) > maxBytes) read = false;
    else bytes.insert(bytes.end(), buffer, buffer + got);
  }
  close(fd);
  if (!read) bytes.clear();
  return read;
}

// ---- Replacing a file -------------------------------------------------------------------------

namespace {

constexpr const char* TemporarySuffix = ".XXXXXX";
constexpr int MaxLinkHops = 40;   // the kernel's own limit on a chain of links

// The file that a path names once the symbolic links of its last component are followed.
std::string FollowLinks(std::string path) {
  namespace fs = std::filesystem;
  for (int hop = 0; hop < MaxLinkHops; ++hop) {
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(path, error))) return path;
    fs::path target = fs::read_symlink(path, error);
    if (error) return path;
    path = target.is_absolute() ? target.string()
                                : (fs::path(path).parent_path() / target).string();
  }
  return path;
}

std::string FolderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Read-only by its mode bits, or not writable by this process at all.
bool IsReadOnly(const struct stat& info, const std::string& path) {
  return (info.st_mode & S_IWUSR) == 0 || access(path.c_str(), W_OK) != 0;
}

mode_t NewFileMode() {
  mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

bool WriteAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    size_t chunk = bytes.size() - done;
    if (gFileFaults.diskRoom >= 0) {
      if (done >= static_cast<uint64_t>(gFileFaults.diskRoom)) return false;
      chunk = std::min<size_t>(chunk, static_cast<size_t>(gFileFaults.diskRoom) - done);
    }
    ssize_t n = write(fd, bytes.data() + done, chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

// Where the process may, the new file gets the old one's owner, or at least its group; false
// when neither is allowed. Done before the mode is set: a change of owner may clear mode bits.
bool TakeOwner(int fd, const struct stat& old) {
  return fchown(fd, old.st_uid, old.st_gid) == 0 ||
         fchown(fd, static_cast<uid_t>(-1), old.st_gid) == 0;
}

// So that the rename itself survives a crash.
void FlushFolder(const std::string& folder) {
  int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

}  // namespace

bool BeginFileReplacement(const std::string& path, FileReplacement& replacement) {
  FileReplacement& r = replacement;
  r = FileReplacement{};
  r.target = FollowLinks(path);
  struct stat info;
  const bool exists = stat(r.target.c_str(), &info) == 0;
  if (!exists && errno != ENOENT) return false;
  if (exists && (!S_ISREG(info.st_mode) || IsReadOnly(info, r.target))) return false;
  std::string temporary = r.target + TemporarySuffix;
  int fd = -1;
  if (gFileFaults.folderTakesNoFile) {
    errno = EACCES;
  } else {
    fd = mkostemp(temporary.data(), O_CLOEXEC);
  }
  if (fd >= 0) {
    if (exists) TakeOwner(fd, info);
    // mkstemp's own mode is private: if this fails, the file is never more open than the old.
    fchmod(fd, exists ? info.st_mode & 07777 : NewFileMode());
    r.temporary = temporary;
    r.descriptor = fd;
    return true;
  }
  // A folder the user cannot write: creating the file would fail, an existing writable file is
  // written in place.
  if (!exists || (errno != EACCES && errno != EPERM)) return false;
  r.descriptor = open(r.target.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
  return r.descriptor >= 0;
}

bool FinishFileReplacement(FileReplacement& replacement, const std::string& bytes) {
  FileReplacement& r = replacement;
  if (r.descriptor < 0) return false;
  const bool inPlace = r.temporary.empty();
  bool written = WriteAll(r.descriptor, bytes) &&
                 (!inPlace || ftruncate(r.descriptor, static_cast<off_t>(bytes.size())) == 0) &&
                 fsync(r.descriptor) == 0;
  if (close(r.descriptor) != 0) written = false;
  r.descriptor = -1;
  if (inPlace) return written;
  if (written && std::rename(r.temporary.c_str(), r.target.c_str()) == 0) {
    FlushFolder(FolderOf(r.target));
  } else {
    unlink(r.temporary.c_str());
    written = false;
  }
  r.temporary.clear();
  return written;
}

bool WriteFileAtomically(const std::string& path, const std::string& bytes) {
  FileReplacement replacement;
  return BeginFileReplacement(path, replacement) && FinishFileReplacement(replacement, bytes);
}

// ---- Fault injection --------------------------------------------------------------------------

void InjectFileFaults(const FileFaults& faults) { gFileFaults = faults; }
