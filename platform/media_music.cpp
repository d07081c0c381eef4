// The mixer's music (alias 8): MIDI music synthesized on the audio thread or, for a shipped track,
// decoded from the stream rendered from it ahead (music_stream.h); or a stream of another format
// the mixer decodes.
//
// Sections: state; the hook; synthesizing; music rendered ahead; the backend calls; the
// renderer's and the tests' calls.
//
// MIDI music streams through a music hook: the audio thread synthesizes or decodes it and scales
// it to the music volume, and the UI thread only touches the player or the rendered stream while
// the hook is removed (removing it waits for the audio thread to leave the hook). The music's
// synthesizer is made for the first track that plays live, and kept.
#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>
#include <fluidsynth.h>

#include <algorithm>
#include <atomic>
#include <cstdio>

#include "platform/files.h"
#include "platform/media.h"
#include "platform/media_mixer_internal.h"
#include "platform/music_stream.h"

namespace {

// ---- State ------------------------------------------------------------------------------------

constexpr int BytesPerFrame = OutputChannels * static_cast<int>(sizeof(int16_t));

struct MusicSlot {
  bool open = false;
  MediaKind kind = MediaUnplayable;
  std::vector<unsigned char> midi;     // the MIDI file, replayed from memory
  MusicStream* rendered = nullptr;     // its stream rendered ahead, played instead of synthesized
  fluid_player_t* player = nullptr;    // the MIDI player while synthesized
  bool hooked = false;                 // the hook feeds the MIDI music to the audio thread
  Mix_Music* stream = nullptr;         // decoded music of the other formats
};

struct MixerMusic {
  fluid_synth_t* synth = nullptr;                  // synthesizes music on the audio thread
  MusicSlot slot;
  std::atomic<int> volume{MediaFullVolume};        // read by the audio thread
};

MixerMusic gMusic;

// ---- The hook ---------------------------------------------------------------------------------

// One block of live music: the hook and every offline synthesis of a track go through here.
void SynthesizeBlock(fluid_synth_t* synth, int16_t* samples, int frames) {
  fluid_synth_write_s16(synth, frames, samples, 0, OutputChannels, samples, 1, OutputChannels);
}

// The rendered stream comes as the hook's argument; without one the music is synthesized.
void SDLCALL FeedMusic(void* rendered, Uint8* stream, int length) {
  auto* samples = reinterpret_cast<int16_t*>(stream);
  const int frames = length / BytesPerFrame;
  if (rendered != nullptr) {
    ReadMusicStream(static_cast<MusicStream*>(rendered), samples, frames);
  } else {
    SynthesizeBlock(gMusic.synth, samples, frames);
  }
  const int volume = gMusic.volume.load();
  if (volume >= MediaFullVolume) return;
  const int count = frames * OutputChannels;
  for (int i = 0; i < count; ++i) {
    samples[i] = static_cast<int16_t>(samples[i] * volume / MediaFullVolume);
  }
}

// ---- Synthesizing -----------------------------------------------------------------------------

bool StartMusicSynth() {
  if (gMusic.synth != nullptr) return true;
  if (!SoundFontPresent() || !StartSynthSettings()) return false;
  gMusic.synth = NewSynth();
  return gMusic.synth != nullptr;
}

// A player of the MIDI file from its start, or nullptr when the file does not play.
fluid_player_t* StartPlayer(fluid_synth_t* synth, const std::vector<unsigned char>& midi) {
  fluid_player_t* player = new_fluid_player(synth);
  if (player == nullptr) return nullptr;
  if (fluid_player_add_mem(player, midi.data(), midi.size()) != FLUID_OK ||
      fluid_player_play(player) != FLUID_OK) {
    delete_fluid_player(player);
    return nullptr;
  }
  return player;
}

void StopPlayer(fluid_synth_t* synth, fluid_player_t* player) {
  delete_fluid_player(player);
  fluid_synth_system_reset(synth);
}

// The track as the hook synthesizes it, a device buffer at a time until the player reports its
// end, at most maxFrames frames.
std::vector<int16_t> SynthesizeTrack(fluid_synth_t* synth, const std::vector<unsigned char>& midi,
                                     int maxFrames) {
  std::vector<int16_t> samples;
  fluid_player_t* player = StartPlayer(synth, midi);
  if (player == nullptr) return samples;
  std::vector<int16_t> block(BufferFrames * OutputChannels);
  for (int frames = 0;
       frames < maxFrames && fluid_player_get_status(player) == FLUID_PLAYER_PLAYING;) {
    const int count = std::min(BufferFrames, maxFrames - frames);
    SynthesizeBlock(synth, block.data(), count);
    samples.insert(samples.end(), block.begin(), block.begin() + count * OutputChannels);
    frames += count;
  }
  StopPlayer(synth, player);
  return samples;
}

void StopHookedMusic() {
  MusicSlot& music = gMusic.slot;
  if (!music.hooked) return;
  Mix_HookMusic(nullptr, nullptr);
  music.hooked = false;
  if (music.player != nullptr) StopPlayer(gMusic.synth, music.player);
  music.player = nullptr;
}

void PlayHookedMusic() {
  MusicSlot& music = gMusic.slot;
  StopHookedMusic();
  if (music.rendered != nullptr) {
    RewindMusicStream(music.rendered);
  } else {
    music.player = StartPlayer(gMusic.synth, music.midi);
    if (music.player == nullptr) return;
  }
  Mix_HookMusic(FeedMusic, music.rendered);
  music.hooked = true;
}

// ---- Music rendered ahead ---------------------------------------------------------------------
//
// A track's stream lies in the folder "Rendered" beside it, named by the hash of the MIDI file's
// bytes: only the very track it was rendered from finds it, so an edited track, or a MIDI file of
// a player's own music folder, is still synthesized. A music folder that is the Sound folder
// itself does not list the streams either, since the listing skips folders.

constexpr const char* RenderedFolder = "Rendered/";
constexpr const char* RenderedExtension = ".music";
// Far above a few minutes of music; a bigger file is not one of ours.
constexpr size_t MaxRenderedBytes = size_t{64} << 20;
constexpr uint64_t HashBasis = 14695981039346656037ull;   // 64-bit FNV-1a
constexpr uint64_t HashPrime = 1099511628211ull;

std::string RenderedPathOf(const std::string& midiPath, const std::vector<unsigned char>& midi) {
  uint64_t hash = HashBasis;
  for (unsigned char byte : midi) hash = (hash ^ byte) * HashPrime;
  char name[17];
  std::snprintf(name, sizeof name, "%016llx", static_cast<unsigned long long>(hash));
  const size_t slash = midiPath.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : midiPath.substr(0, slash + 1);
  return folder + RenderedFolder + name + RenderedExtension;
}

// The stream rendered from these MIDI bytes, when the MIDI file's folder holds one.
MusicStream* OpenRenderedMusic(const std::string& midiPath,
                               const std::vector<unsigned char>& midi) {
  const std::string path = RenderedPathOf(midiPath, midi);
  std::vector<unsigned char> bytes;
  if (!IsRegularFile(path) || !ReadFileBytes(path, bytes, MaxRenderedBytes)) return nullptr;
  return OpenMusicStream(std::move(bytes));
}

}  // namespace

// ---- The backend calls ------------------------------------------------------------------------

// A shipped track needs no synthesizer: its rendered stream plays even without a SoundFont.
bool OpenMixerMusic(const std::string& path, MediaKind kind) {
  MusicSlot& music = gMusic.slot;
  if (kind == MediaMidi) {
    if (!ReadMediaFile(path, music.midi)) return false;
    music.rendered = OpenRenderedMusic(path, music.midi);
    if (music.rendered == nullptr && !StartMusicSynth()) return false;
  } else {
    music.stream = Mix_LoadMUS(path.c_str());
    if (music.stream == nullptr) return false;
  }
  music.kind = kind;
  music.open = true;
  gMusic.volume = MediaFullVolume;
  Mix_VolumeMusic(MIX_MAX_VOLUME);
  return true;
}

void CloseMixerMusic() {
  MusicSlot& music = gMusic.slot;
  StopHookedMusic();
  CloseMusicStream(music.rendered);
  if (music.stream != nullptr) {
    Mix_HaltMusic();
    Mix_FreeMusic(music.stream);
  }
  music = MusicSlot{};
}

void PlayMixerMusic() {
  const MusicSlot& music = gMusic.slot;
  if (!music.open) return;
  if (music.kind == MediaMidi) {
    PlayHookedMusic();
  } else {
    Mix_PlayMusic(music.stream, 0);
  }
}

void SetMixerMusicVolume(int volume) {
  if (!gMusic.slot.open) return;
  gMusic.volume = std::clamp(volume, 0, MediaFullVolume);
  Mix_VolumeMusic(MixerVolumeOf(volume));
}

// A synthesized track counts as ended once the player is done, which includes the player's grace
// period for the last notes and the reverberation to die away; its rendered stream was cut at
// that moment, so it ends with its last decoded frame.
std::string MixerMusicMode() {
  const MusicSlot& music = gMusic.slot;
  if (!music.open) return "";
  bool playing = false;
  if (music.kind != MediaMidi) {
    playing = Mix_PlayingMusic() != 0;
  } else if (music.rendered != nullptr) {
    playing = music.hooked && !IsMusicStreamEnded(music.rendered);
  } else {
    playing = music.player != nullptr &&
              fluid_player_get_status(music.player) == FLUID_PLAYER_PLAYING;
  }
  return playing ? "playing" : "stopped";
}

void DeleteMusicSynth() {
  if (gMusic.synth != nullptr) delete_fluid_synth(gMusic.synth);
  gMusic.synth = nullptr;
}

// ---- The renderer's and the tests' calls ------------------------------------------------------

std::string RenderedMusicPath(const std::string& midiPath) {
  std::vector<unsigned char> midi;
  if (!ReadFileBytes(midiPath, midi)) return "";
  return RenderedPathOf(midiPath, midi);
}

std::vector<int16_t> SynthesizeMusic(const std::string& midiPath, int maxFrames) {
  std::vector<unsigned char> midi;
  if (!SoundFontPresent() || !StartSynthSettings() || !ReadMediaFile(midiPath, midi)) return {};
  fluid_synth_t* synth = NewSynth();
  if (synth == nullptr) return {};
  std::vector<int16_t> samples = SynthesizeTrack(synth, midi, maxFrames);
  delete_fluid_synth(synth);
  return samples;
}

std::vector<int16_t> MixerMusicSamples(int frames) {
  MusicSlot& music = gMusic.slot;
  if (!music.open || music.kind != MediaMidi) return {};
  StopHookedMusic();
  if (music.rendered == nullptr) return SynthesizeTrack(gMusic.synth, music.midi, frames);
  RewindMusicStream(music.rendered);
  std::vector<int16_t> samples;
  std::vector<int16_t> block(BufferFrames * OutputChannels);
  for (int at = 0; at < frames && !IsMusicStreamEnded(music.rendered);) {
    const int count =
        ReadMusicStream(music.rendered, block.data(), std::min(BufferFrames, frames - at));
    samples.insert(samples.end(), block.begin(), block.begin() + count * OutputChannels);
    at += count;
  }
  return samples;
}

bool IsMixerMusicRendered() { return gMusic.slot.open && gMusic.slot.rendered != nullptr; }
