// Our compositions: the six sound effects and the eight music tracks of the game.
#pragma once

#include "tools/assetgen/midi_writer.h"

MidiSong ComposeVorle();    // the brand's intro theme, 3 to 4 seconds
MidiSong ComposeDian();     // a tile is selected: a short tick
MidiSong ComposeXiaochu();  // a pair is removed: a bright two-note chime
MidiSong ComposeKaishi();   // play begins: a gong and a pentatonic run
MidiSong ComposeJiangli();  // a reward: a rising jingle
MidiSong ComposeBaozha();   // a bomb: percussion and low brass

constexpr int kMusicTrackCount = 8;
// number from 1 to kMusicTrackCount.
MidiSong ComposeMusicTrack(int number);
