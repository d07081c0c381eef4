// Small file helpers of the generator.
#pragma once

#include <QByteArray>
#include <string>

// Creates a directory and its parents; true when it exists afterwards.
bool MakeDirectory(const std::string& path);
// Replaces a file's content; false when it cannot be written.
bool WriteWholeFile(const std::string& path, const QByteArray& bytes);
// True when a file or directory of that path exists.
bool PathExists(const std::string& path);
