// File names, directories, whole-file reads and safe file writes.
//
// Every file name of the programs is written with backslashes and relative to the application
// directory ("Images\Xianshi\39.png"); ResolvePath turns it into a real path, matching each
// component without regard to letter case when the exact name does not exist.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The process's current directory with a trailing '/'.
std::string CurrentDirectory();

// Backslashes become '/', repeated separators collapse, and each component that does not exist
// as written is looked up without regard to case. A component that matches nothing is kept as
// written (so the result names a missing file). A trailing separator is kept.
std::string ResolvePath(const std::string& name);

// A name inside a directory that may or may not end in a separator.
std::string PathInDirectory(const std::string& directory, const std::string& name);

// Size in bytes of the file; -1 when it does not exist, -2 when it is a directory.
int64_t FileSize(const std::string& name);

// True for a regular file or a link to one; false for directories, devices, FIFOs, sockets and
// missing names. Only such files are ever read: a device or a FIFO could block or never end.
bool IsRegularFile(const std::string& name);

struct DirectoryEntry {
  std::string name;   // as the file system gives it, "." and ".." included
  bool isFile;        // a regular file or a link to one (not a directory, device or FIFO)
};

// Entries of a directory whose names match the wildcard pattern ("*.jpg", "*.*"; matched without
// regard to case, "*.*" matches every name), in the order the file system gives them, looking at
// no more than maxEntries entries of the directory. Empty when it cannot be listed.
std::vector<DirectoryEntry> ListDirectory(const std::string& directory, const std::string& pattern,
                                          int maxEntries);

// The whole file, or false when it cannot be read, is not a regular file or holds more than
// maxBytes (whatever size it claims).
bool ReadFileBytes(const std::string& name, std::vector<unsigned char>& bytes,
                   size_t maxBytes = SIZE_MAX);

// ---- Replacing a file -------------------------------------------------------------------------
//
// The new bytes go to a temporary file beside the target, which is flushed and renamed over it,
// so that the old file stays whole until the new one is. The new file keeps the old one's mode
// bits and, where the process may, its owner; a symbolic link is followed and kept. When the
// folder takes no new file but the file itself is writable, the file is written in place.

struct FileReplacement {
  std::string target;      // the file written, symbolic links followed
  std::string temporary;   // the new file beside it; empty when the target is written in place
  int descriptor = -1;     // open on the temporary file or on the target
};

// Checks that the file can be written and opens what receives the bytes. False, with nothing
// left behind, when it cannot: a read-only file (by its mode bits, the same for every user), a
// directory, a missing folder, or a new file in a folder that takes none.
bool BeginFileReplacement(const std::string& path, FileReplacement& replacement);
// Writes the bytes and puts them in place. False when anything failed: the temporary file is
// then removed and the old file is as it was (written in place, it may be damaged).
bool FinishFileReplacement(FileReplacement& replacement, const std::string& bytes);
// Both steps at once.
bool WriteFileAtomically(const std::string& path, const std::string& bytes);

// ---- Fault injection (tests) ------------------------------------------------------------------

struct FileFaults {
  bool unreadable = false;          // ReadFileBytes fails, as for files the user cannot read
  bool folderTakesNoFile = false;   // no temporary file can be made, as in a folder the user
                                    // cannot write
  int64_t diskRoom = -1;            // bytes one file write can put down before the disk is full;
                                    // -1 for no limit
};
// Replaces the faults in force (FileFaults{} switches them off).
void InjectFileFaults(const FileFaults& faults);
