// Making the player's folder with plain POSIX calls. Every piece lands under a temporary name
// and is renamed into place, so a full disk never leaves a truncated copy that a later start
// would take for the player's own, and a link is replaced in one step.
//
// The default map is a copy, yet an upgrade should bring a redesigned one: the folder keeps the
// fingerprints of every default map the launcher placed there, and a copy that still matches
// one of them is the game's, not the player's, so it may be replaced.
#include "launcher/player_folder.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr const char* FolderName = "/pelmora";
constexpr const char* DataHomeInHome = "/.local/share";
constexpr const char* MapsFolder = "/Maps";
// Temporary names carry the process number: a game and an editor started at once do not meet.
constexpr const char* TemporarySuffix = ".new-";

// Pieces linked to the installed tree: from the resource set, or from the programs' folder.
struct LinkedPiece {
  const char* name;
  bool program;
};
constexpr LinkedPiece LinkedPieces[] = {
    {"/Images", false}, {"/Sound", false}, {"/i18n", false}, {"/Kestrand", true}};
// Pieces copied from the resource set.
constexpr const char* DefaultMap = "/Maps/Duzuz.xml";
constexpr const char* CopiedPieces[] = {DefaultMap, "/Config.ini"};
// Fingerprints of the default maps placed in the folder, one a line; hidden from the game's
// listings.
constexpr const char* ShippedMapRecord = "/.shipped-maps";

// What failed, with the reason errno gives.
std::string Failure(const std::string& what) { return what + ": " + std::strerror(errno); }

bool IsAbsolute(const char* path) { return path && path[0] == '/'; }

std::string WithoutTrailingSeparators(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

// Makes a folder and its parents.
std::string MakeFolders(const std::string& path) {
  for (size_t end = path.find('/', 1);; end = path.find('/', end + 1)) {
    const std::string part = path.substr(0, end);
    struct stat info;
    if (stat(part.c_str(), &info) == 0) {
      if (!S_ISDIR(info.st_mode)) {
        errno = ENOTDIR;
        return Failure("cannot make the folder " + part);
      }
    } else if (mkdir(part.c_str(), 0777) != 0 && errno != EEXIST) {
      return Failure("cannot make the folder " + part);
    }
    if (end == std::string::npos) return {};
  }
}

std::string TemporaryName(const std::string& path) {
  return path + TemporarySuffix + std::to_string(getpid());
}

std::string LinkTarget(const std::string& path) {
  char target[4096];
  const ssize_t length = readlink(path.c_str(), target, sizeof target);
  return length < 0 ? std::string() : std::string(target, size_t(length));
}

// Links path to target unless path is the player's own (anything but a link).
std::string PlaceLink(const std::string& path, const std::string& target) {
  struct stat info;
  if (lstat(path.c_str(), &info) == 0 && (!S_ISLNK(info.st_mode) || LinkTarget(path) == target))
    return {};
  const std::string fresh = TemporaryName(path);
  unlink(fresh.c_str());
  if (symlink(target.c_str(), fresh.c_str()) == 0 && rename(fresh.c_str(), path.c_str()) == 0)
    return {};
  const std::string failure = Failure("cannot link " + path + " to " + target);
  unlink(fresh.c_str());
  return failure;
}

bool WriteAll(int file, const char* bytes, ssize_t count) {
  while (count > 0) {
    const ssize_t written = write(file, bytes, size_t(count));
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes += written;
    count -= written;
  }
  return true;
}

// Copies from into to unless something of that name is there already.
std::string PlaceCopy(const std::string& from, const std::string& to) {
  struct stat info;
  if (lstat(to.c_str(), &info) == 0) return {};
  const int in = open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return Failure("cannot read " + from);
  const std::string fresh = TemporaryName(to);
  const int out = open(fresh.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (out < 0) {
    const std::string failure = Failure("cannot write " + fresh);
    close(in);
    return failure;
  }
  std::string failure;
  char buffer[65536];
  ssize_t got;
  while ((got = read(in, buffer, sizeof buffer)) != 0) {
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      failure = Failure("cannot read " + from);
      break;
    }
    if (!WriteAll(out, buffer, got)) {
      failure = Failure("cannot write " + fresh);
      break;
    }
  }
  close(in);
  if (close(out) != 0 && failure.empty()) failure = Failure("cannot write " + fresh);
  if (failure.empty() && rename(fresh.c_str(), to.c_str()) != 0)
    failure = Failure("cannot copy " + from + " to " + to);
  if (!failure.empty()) unlink(fresh.c_str());
  return failure;
}

bool ReadWhole(const std::string& path, std::string& bytes) {
  const int in = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return false;
  bytes.clear();
  char buffer[65536];
  ssize_t got;
  while ((got = read(in, buffer, sizeof buffer)) != 0) {
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) break;
    bytes.append(buffer, size_t(got));
  }
  close(in);
  return got == 0;
}

// Writes bytes under a temporary name and renames it over path: path holds either its old
// content or all of the new one.
bool ReplaceWhole(const std::string& path, const std::string& bytes) {
  const std::string fresh = TemporaryName(path);
  const int out = open(fresh.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (out < 0) return false;
  bool written = WriteAll(out, bytes.data(), ssize_t(bytes.size()));
  written = close(out) == 0 && written;
  if (written && rename(fresh.c_str(), path.c_str()) == 0) return true;
  unlink(fresh.c_str());
  return false;
}

// Size and 64-bit FNV-1a hash: an edit that keeps both is out of reach of a player's hand.
std::string Fingerprint(const std::string& bytes) {
  constexpr uint64_t FnvOffset = 14695981039346656037ull, FnvPrime = 1099511628211ull;
  uint64_t hash = FnvOffset;
  for (const char byte : bytes) hash = (hash ^ uint8_t(byte)) * FnvPrime;
  char text[64];
  std::snprintf(text, sizeof text, "%zu-%016" PRIx64, bytes.size(), hash);
  return text;
}

std::vector<std::string> RecordedFingerprints(const std::string& record) {
  std::string bytes;
  std::vector<std::string> lines;
  if (!ReadWhole(record, bytes)) return lines;
  for (size_t start = 0; start < bytes.size();) {
    size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    if (end > start) lines.push_back(bytes.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// Brings the installed default map into the folder when the player's copy is one the launcher
// placed and the installed one differs. A failure keeps the player's map as it is and leaves
// the upgrade to the next start, so it is not reported.
void UpdateDefaultMap(const InstalledTree& tree, const std::string& folder) {
  const std::string own = folder + DefaultMap, record = folder + ShippedMapRecord;
  struct stat info;
  std::string installedBytes, ownBytes;
  if (lstat(own.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return;
  if (!ReadWhole(tree.data + DefaultMap, installedBytes) || !ReadWhole(own, ownBytes)) return;
  std::vector<std::string> shipped = RecordedFingerprints(record);
  const auto recorded = [&](const std::string& print) {
    return std::find(shipped.begin(), shipped.end(), print) != shipped.end();
  };
  const std::string installed = Fingerprint(installedBytes);
  // A copy equal to the installed map is the game's, also in a folder made before the record.
  if (!recorded(installed) && (ownBytes == installedBytes || recorded(Fingerprint(ownBytes)))) {
    std::string lines;
    for (const std::string& print : shipped) lines += print + "\n";
    // Recorded before the copy: if the copy fails, the next start still knows it for the game's.
    if (!ReplaceWhole(record, lines + installed + "\n")) return;
    shipped.push_back(installed);
  }
  if (ownBytes != installedBytes && recorded(Fingerprint(ownBytes))) ReplaceWhole(own, installedBytes);
}

}  // namespace

std::string PlayerFolderPath() {
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  if (IsAbsolute(dataHome)) return WithoutTrailingSeparators(dataHome) + FolderName;
  const char* home = std::getenv("HOME");
  if (!IsAbsolute(home)) {
    const passwd* entry = getpwuid(getuid());
    home = entry ? entry->pw_dir : nullptr;
  }
  if (!IsAbsolute(home)) return {};
  return WithoutTrailingSeparators(home) + DataHomeInHome + FolderName;
}

std::string MakePlayerFolder(const InstalledTree& tree, const std::string& folder) {
  std::string failure = MakeFolders(folder);
  for (const LinkedPiece& piece : LinkedPieces) {
    if (!failure.empty()) return failure;
    const std::string& from = piece.program ? tree.programs : tree.data;
    failure = PlaceLink(folder + piece.name, from + piece.name);
  }
  if (failure.empty()) failure = MakeFolders(folder + MapsFolder);
  for (const char* piece : CopiedPieces) {
    if (!failure.empty()) return failure;
    failure = PlaceCopy(tree.data + piece, folder + piece);
  }
  if (failure.empty()) UpdateDefaultMap(tree, folder);
  return failure;
}
