// Other programs, the web browser, sleeping and the monotonic clock.

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QThread>

#include <malloc.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "platform/files.h"
#include "platform/journal.h"
#include "platform/process.h"

bool RunProgram(const std::string& path) {
  if (IsCallJournalOn()) {
    JournalCall("run " + path);
    return true;
  }
  std::string program = ResolvePath(path);
  if (FileSize(program) < 0) return false;
  // A bare name would be looked up in PATH instead of the current directory.
  if (program.front() != '/') program = CurrentDirectory() + program;
  return QProcess::startDetached(QString::fromStdString(program), {});
}

// BROWSER names the player's choice outright; xdg-open would rather hand a file:// address to
// whatever the desktop opens HTML files with.
bool OpenWebPage(const std::string& url) {
  if (IsCallJournalOn()) {
    JournalCall("web " + url);
    return true;
  }
  const QString address = QString::fromStdString(url);
  const char* browsers = std::getenv("BROWSER");
  for (const QString& browser : QString::fromLocal8Bit(browsers ? browsers : "").split(':')) {
    QStringList arguments = QProcess::splitCommand(browser);
    if (arguments.isEmpty()) continue;
    const QString program = arguments.takeFirst();
    bool placed = false;
    for (QString& argument : arguments) {
      if (!argument.contains(QStringLiteral("%s"))) continue;
      argument.replace(QStringLiteral("%s"), address);
      placed = true;
    }
    if (!placed) arguments << address;
    if (QProcess::startDetached(program, arguments)) return true;
  }
  return QProcess::startDetached(QStringLiteral("xdg-open"), {address});
}

std::string ProgramFolder() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string() : program.parent_path().string();
}

void Delay(int milliseconds) {
  if (milliseconds > 0) QThread::msleep(milliseconds);
}

uint32_t ElapsedMilliseconds() {
  auto since = std::chrono::steady_clock::now().time_since_epoch();
  return uint32_t(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

void ReleaseFreedMemory() { malloc_trim(0); }
