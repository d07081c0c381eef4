// The installed tree is found from the launcher's own place (the build gives the relative
// paths of both layouts), so an installation works under any prefix and in a staging folder
// alike.
#include "launcher/launcher.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "launcher/player_folder.h"
#include "platform/app.h"
#include "platform/dialog.h"
#include "platform/translation.h"

namespace {

constexpr const char* MessageTitle = "提示";
constexpr const char* FolderFailure = "无法建立玩家文件夹，程序不能启动。";
constexpr const char* StartFailure = "程序不能启动。";

struct LaunchedFile {
  const char* command;  // the launcher's name, for its messages
  const char* program;  // the program's file in the programs' folder
};
constexpr LaunchedFile LaunchedFiles[] = {{"pelmora", "Pelmora"}, {"kestrand", "Kestrand"}};

// The reason goes to standard error as the system gave it; the message box speaks the desktop's
// language, from the catalogues of the installed tree when it is known.
int ReportFailure(LaunchedProgram program, const char* headline, const std::string& detail,
                  const std::string& data = {}) {
  std::fprintf(stderr, "%s: %s\n", LaunchedFiles[program].command, detail.c_str());
  if (!data.empty()) {
    const std::string catalogues = data + "/" + CatalogueFolder;
    UseLanguage(ChooseLanguage("auto", catalogues), catalogues);
  }
  if (InitPlatform()) {
    ShowMessage(TranslateText(MessageTitle), TranslateText(headline) + "\n\n" + detail);
    ShutdownPlatform();
  }
  return 1;
}

// An installed folder given relative to the launcher's folder.
std::string InstalledFolder(const std::filesystem::path& launcherFolder, const char* relative) {
  return (launcherFolder / relative).lexically_normal().string();
}

}  // namespace

int RunLauncher(LaunchedProgram program) {
  std::error_code error;
  const std::filesystem::path launcher = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) {
    return ReportFailure(program, StartFailure, "cannot find the launcher's own file: " +
                                                    error.message());
  }
  const std::filesystem::path launcherFolder = launcher.parent_path();
  // The package's launchers lie in games/, where Debian keeps games.
  const InstalledTree tree =
      launcherFolder.filename() == PELMORA_GAMES_BINDIR
          ? InstalledTree{InstalledFolder(launcherFolder, PELMORA_GAMES_DATA_FROM_BIN),
                          InstalledFolder(launcherFolder, PELMORA_GAMES_PROGRAMS_FROM_BIN)}
          : InstalledTree{InstalledFolder(launcherFolder, PELMORA_DATA_FROM_BIN),
                          InstalledFolder(launcherFolder, PELMORA_PROGRAMS_FROM_BIN)};
  const std::string file = tree.programs + "/" + LaunchedFiles[program].program;
  const auto cannotStart = [&] {
    return ReportFailure(program, StartFailure,
                         "cannot start " + file + ": " + std::strerror(errno), tree.data);
  };
  // An uninstalled launcher finds no program and leaves the player's folder alone.
  if (access(file.c_str(), X_OK) != 0) return cannotStart();
  const std::string playerFolder = PlayerFolderPath();
  if (playerFolder.empty()) {
    return ReportFailure(program, FolderFailure, "neither XDG_DATA_HOME nor HOME names a folder",
                         tree.data);
  }
  const std::string failure = MakePlayerFolder(tree, playerFolder);
  if (!failure.empty()) return ReportFailure(program, FolderFailure, failure, tree.data);
  if (chdir(playerFolder.c_str()) != 0) {
    return ReportFailure(program, FolderFailure,
                         "cannot change into " + playerFolder + ": " + std::strerror(errno),
                         tree.data);
  }
  execl(file.c_str(), file.c_str(), static_cast<char*>(nullptr));
  return cannotStart();
}
