// File helpers on top of Qt's file classes.
#include "tools/assetgen/file_output.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

bool MakeDirectory(const std::string& path) {
  return QDir().mkpath(QString::fromStdString(path));
}

bool WriteWholeFile(const std::string& path, const QByteArray& bytes) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    return false;
  }
  return file.write(bytes) == bytes.size();
}

bool PathExists(const std::string& path) {
  return QFileInfo::exists(QString::fromStdString(path));
}
