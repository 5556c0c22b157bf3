#pragma once
// The learner's default list file ("data\w01.txt"): loaded when lesson 6 is created
// and written back when the program ends. A file that was not read completely
// (unreadable, a read error, more lines than the list holds) is never written over:
// the learner's changes then go to a new file beside it.
#include <cstddef>
#include <string>

#include "vocabulary/wordlist.h"

namespace lx {

// What a load of a list file found.
struct ListLoad {
  bool opened = false;   // the file could be read
  size_t unread = 0;     // lines left out because the list was full
  bool complete() const { return opened && unread == 0; }
};

// Empties the list and reads `path` into it, never throwing.
ListLoad LoadListFile(const std::string& path, WordList& list);

// "folder/w01.txt" -> "folder/w01-1.txt", or the first of -2, -3, ... known not to
// exist; empty when none of the first 10,000 is free.
std::string FreeNameBeside(const std::string& path);

class DefaultListFile {
 public:
  // Watches the list for changes from now on; `list` outlives this object.
  DefaultListFile(std::string path, WordList& list);
  ~DefaultListFile();
  DefaultListFile(const DefaultListFile&) = delete;
  DefaultListFile& operator=(const DefaultListFile&) = delete;

  // Replaces the list by the file. A file that exists but was not read completely
  // arms the guard; a missing file does not (there is nothing to lose).
  ListLoad Load();

  // What the shutdown did.
  struct Saved {
    std::string path;        // where the list went; empty when nothing was written
    bool beside = false;     // meant for a new name because the file is guarded
    bool failed = false;     // a write was attempted and failed
  };
  // Writes the list over the file, unless the file is guarded; a guarded file is
  // kept and a changed list goes to a free name beside it.
  Saved Save();

  // The learner saved the list under `path` with the save command: if that is this
  // file, it now holds the list and is no longer guarded.
  void SavedAs(const std::string& path);

  const std::string& path() const { return path_; }
  bool guarded() const { return guarded_; }
  bool changed() const { return changed_; }

 private:
  std::string path_;
  WordList& list_;
  bool guarded_ = false;
  bool changed_ = false;
  bool loading_ = false;
  int subscription_ = 0;
};

}  // namespace lx
