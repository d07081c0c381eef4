// Finding the players' guide. The build gives its place relative to the installed programs,
// for both installed layouts, and the source tree's guide for a game run from the build.
#include "game/app/guide.h"

#include <cstdio>
#include <filesystem>

#include "platform/files.h"
#include "platform/process.h"

namespace {

constexpr const char* GuideFirstPage = "/index.html";
constexpr const char* Scheme = "file://";

// A path as an address: every byte but the unreserved ones and '/' percent-encoded.
std::string FileAddress(const std::string& path) {
  std::string address = Scheme;
  for (const unsigned char byte : path) {
    const bool plain = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
                       (byte >= '0' && byte <= '9') || byte == '/' || byte == '-' ||
                       byte == '.' || byte == '_' || byte == '~';
    if (plain) {
      address += char(byte);
    } else {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
      address += escaped;
    }
  }
  return address;
}

}  // namespace

std::string GuideAddress() {
  const std::string programs = ProgramFolder();
  const std::string candidates[] = {
      programs.empty() ? std::string() : programs + "/" + PELMORA_GUIDE_FROM_PROGRAMS,
      programs.empty() ? std::string() : programs + "/" + PELMORA_GAMES_GUIDE_FROM_PROGRAMS,
      PELMORA_SOURCE_GUIDE};
  for (const std::string& guide : candidates) {
    if (guide.empty()) continue;
    // A plain address without the steps up from the programs' folder.
    const std::string page = std::filesystem::path(guide + GuideFirstPage).lexically_normal();
    if (IsRegularFile(page)) return FileAddress(page);
  }
  return {};
}

void OpenGuide() {
  const std::string address = GuideAddress();
  if (!address.empty()) OpenWebPage(address);
}
