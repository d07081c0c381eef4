// File names, directories and whole-file reads.
//
// Every file name of the programs is written with backslashes and relative to the application
// directory ("Images\Xianshi\39.png"); ResolvePath turns it into a real path, matching each
// component without regard to letter case when the exact name does not exist.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The process's current directory with a trailing '/'.
std::string CurrentDirectory();

// Backslashes become '/', repeated separators collapse, and each component that does not exist
// as written is looked up without regard to case. A component that matches nothing is kept as
// written (so the result names a missing file). A trailing separator is kept.
std::string ResolvePath(const std::string& name);

// Size in bytes of the file; -1 when it does not exist, -2 when it is a directory.
int64_t FileSize(const std::string& name);

struct DirectoryEntry {
  std::string name;   // as the file system gives it, "." and ".." included
  bool isDirectory;
};

// Entries of a directory whose names match the wildcard pattern ("*.jpg", "*.*"; matched without
// regard to case, "*.*" matches every name), in the order the file system gives them, looking at
// no more than maxEntries entries of the directory. Empty when it cannot be listed.
std::vector<DirectoryEntry> ListDirectory(const std::string& directory, const std::string& pattern,
                                          int maxEntries);

// The whole file, or false when it cannot be read.
bool ReadFileBytes(const std::string& name, std::vector<unsigned char>& bytes);
