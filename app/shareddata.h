#pragma once
// The tables loaded once at start-up and shared by every window.
#include "app/core/datadir.h"
#include "app/core/dicttables.h"
#include "app/core/settingsslots.h"
#include "app/core/soundindex.h"

namespace lx {

struct SharedData {
  DataDir dataDir;
  SoundIndex soundIndex;
  DictTable dictTable;
  Dict2Table dict2Table;
  SettingsSlots settingsSlots;
};

// Loads words.txt, dict1.txt, dict2.txt and info.txt in that order. The first file
// that cannot be read, or a words.txt number that is not an integer, is reported in
// the error box and ends the loading: what was loaded before stays. False then.
bool LoadStartupTables(SharedData& data);

// Writes info.txt with all 100 slots; a file that cannot be written is skipped
// silently and the old one stays as it was.
bool SaveSettingsSlots(const SharedData& data);

}  // namespace lx
