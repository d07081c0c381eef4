// Start and end of the platform: the one Qt application object, Qt's own texts and fonts.

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QImage>
#include <QPixmap>

#include <dlfcn.h>
#include <errno.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/app.h"
#include "platform/media.h"
#include "platform/qt_internal.h"
#include "platform/window_internal.h"

namespace {

// Face that carries the Chinese texts of the dialogs and controls.
constexpr const char* ChineseFallbackFace = "WenQuanYi Zen Hei";

struct AppPlatform {
  QApplication* application = nullptr;   // created once, lives until the process ends
};

AppPlatform gAppPlatform;

// Qt aborts the process when its X connection fails, so the connection is tried first through
// libxcb (which the X platform plugin loads anyway).
bool CanConnectToX() {
  void* xcb = dlopen("libxcb.so.1", RTLD_NOW | RTLD_LOCAL);
  if (!xcb) return false;
  using Connect = void* (*)(const char*, int*);
  using HasError = int (*)(void*);
  using Disconnect = void (*)(void*);
  auto connect = reinterpret_cast<Connect>(dlsym(xcb, "xcb_connect"));
  auto hasError = reinterpret_cast<HasError>(dlsym(xcb, "xcb_connection_has_error"));
  auto disconnect = reinterpret_cast<Disconnect>(dlsym(xcb, "xcb_disconnect"));
  bool ok = false;
  if (connect && hasError && disconnect) {
    void* connection = connect(nullptr, nullptr);
    ok = connection && hasError(connection) == 0;
    if (connection) disconnect(connection);
  }
  dlclose(xcb);
  return ok;
}

// Whether Qt's window system can start: any explicitly chosen platform other than X is trusted;
// X needs a display that answers.
bool DisplayAvailable() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform && *platform && std::strncmp(platform, "xcb", 3) != 0) return true;
  const char* display = std::getenv("DISPLAY");
  if (!display || !*display) return false;
  return CanConnectToX();
}

}  // namespace

bool InitPlatform() {
  AppPlatform& a = gAppPlatform;
  if (a.application) return true;
  if (!DisplayAvailable()) return false;
  // The program's own name becomes its window class, which desktops match with its entry.
  static int argc = 1;
  static char* argv[] = {program_invocation_short_name, nullptr};
  a.application = new QApplication(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);

  // Qt's standard button texts (确定, 取消, 是, 否) in the language in use.
  InstallQtTexts();

  QFont font = QApplication::font();
  font.setFamilies({font.family(), ChineseFallbackFace});
  QApplication::setFont(font);
  return true;
}

void SetProgramIdentity(const std::string& desktopEntry, const std::vector<EncodedPicture>& icon) {
  QGuiApplication::setDesktopFileName(QString::fromStdString(desktopEntry));
  QIcon windowIcon;
  for (const EncodedPicture& picture : icon) {
    QImage image = QImage::fromData(picture.data, int(picture.size));
    if (!image.isNull()) windowIcon.addPixmap(QPixmap::fromImage(image));
  }
  QApplication::setWindowIcon(windowIcon);
}

void ShutdownPlatform() {
  ShutdownMedia();
  if (!gAppPlatform.application) return;
  ReleasePictures();
  std::vector<int> numbers;
  for (auto& [number, slot] : gWindows.open) numbers.push_back(number);
  for (int number : numbers) CloseWindow(number);
  ReleaseTimers();
  while (gWindows.cursorCount < 0) ShowSystemCursor();
  gWindows.cursorCount = 0;
}
