// Sounds and music under numbered aliases.
//
// Alias 8 is the music stream: MIDI files play through FluidSynth, other files (MP3, Ogg Vorbis,
// FLAC, WAV) through the mixer's own decoders. A shipped MIDI track plays the stream rendered
// from it at build time instead: the same music within a small coding noise, for a fraction of
// the synthesizer's cost. Every other alias is a sound effect: its MIDI file is rendered to
// samples once, when it is opened, and played on a mixer channel of its own. Playing never
// waits; playing an alias again restarts it from the beginning.
//
// Audio starts on the first open. Without a sound device the silent "dummy" device keeps the
// same timing, so modes behave as with sound. If not even that device starts, every open fails
// and every mode is "": the program then simply runs silent.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr int MediaMusicAlias = 8;
constexpr int MediaFullVolume = 1000;
// What every sound is synthesized and mixed as: interleaved 16-bit stereo at this rate.
constexpr int MediaSampleRate = 44100;
constexpr int MediaChannels = 2;

// Closes what the alias held, then opens the file under it. False when the file cannot be played
// (only regular files are opened, never a device or a FIFO); the alias is then closed.
bool OpenMedia(int alias, const std::string& path);
void CloseMedia(int alias);
// Plays from the start without waiting.
void PlayMedia(int alias);
// Volume 0..1000; values above 1000 play at full volume, below 0 silent.
void SetMediaVolume(int alias, int volume);
// "playing" while it plays, "stopped" when opened but not playing (its track has ended), "" when
// the alias is not open.
std::string MediaMode(int alias);

// ---- Recording backend (tests) ----------------------------------------------------------------
//
// While recording, no sound is made: every call is logged as a command text ("open 8 <path>",
// "close 8", "play 8", "volume 8 500", "mode 8") and the aliases keep a simulated mode. An open
// succeeds when the file's content is a MIDI, WAV, Ogg, FLAC or MP3 file; it then reports
// "stopped", after a play "playing", until FinishRecordedMedia says its track has ended.

// Switches recording on (clearing the log and every simulated alias) or off.
void RecordMediaCalls(bool on);
const std::vector<std::string>& MediaCallLog();
void ClearMediaCallLog();
// The recorded alias's track ends: it reports "stopped" from now on.
void FinishRecordedMedia(int alias);

// ---- Inspection (tests) -----------------------------------------------------------------------

// True once audio runs (on a real or the dummy device).
bool IsMediaAudioRunning();
// The rendered interleaved stereo 16-bit samples of an open effect alias; empty otherwise.
std::vector<int16_t> MediaSamples(int alias);
// Closes every alias and stops audio (the next open starts it again).
void ShutdownMedia();
// The first frames the open music alias plays at full volume, decoded from its rendered stream or
// synthesized, as from a new start; the music is stopped. Empty unless the alias holds a MIDI
// track.
std::vector<int16_t> MediaMusicSamples(int frames);
// The open music alias plays a stream rendered ahead rather than its synthesizer.
bool IsMediaMusicRendered();

// ---- Music rendered ahead (the build's music renderer, tests) ---------------------------------
//
// The build renders each shipped track with the music's own synthesizer and settings and keeps
// it as a stream (music_stream.h) at RenderedMusicPath; opening that very track plays the stream.

// The MIDI file as the music alias synthesizes it: from its start until the player reports its
// end (the last notes and the reverberation have died away: the moment the alias turns
// "stopped"), at most maxFrames frames. Empty when it cannot be synthesized (no SoundFont).
std::vector<int16_t> SynthesizeMusic(const std::string& midiPath, int maxFrames);
// Where the stream rendered from this MIDI file belongs: in the folder "Rendered" beside it,
// named by the hash of the file's bytes. Empty when the file cannot be read.
std::string RenderedMusicPath(const std::string& midiPath);
