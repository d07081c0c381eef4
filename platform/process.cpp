// Other programs, the web browser, sleeping and the monotonic clock.

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QThread>

#include <malloc.h>

#include <chrono>

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

bool OpenWebPage(const std::string& url) {
  if (IsCallJournalOn()) {
    JournalCall("web " + url);
    return true;
  }
  return QProcess::startDetached(QStringLiteral("xdg-open"), {QString::fromStdString(url)});
}

void Delay(int milliseconds) {
  if (milliseconds > 0) QThread::msleep(milliseconds);
}

uint32_t ElapsedMilliseconds() {
  auto since = std::chrono::steady_clock::now().time_since_epoch();
  return uint32_t(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

void ReleaseFreedMemory() { malloc_trim(0); }
