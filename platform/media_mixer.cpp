// The media backend on SDL2 audio and SDL2_mixer, with FluidSynth for MIDI.
//
// Sections: state; audio start and stop; MIDI synthesis; effects; music; the backend calls.
//
// Effects are rendered to samples once at open time, so a play is only a mixer channel start.
// MIDI music streams through a music hook: the audio thread runs the synthesizer, and the UI
// thread only touches the player while the hook is removed (removing it waits for the audio
// thread to leave the hook).
#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>
#include <fluidsynth.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>

#include "platform/media.h"
#include "platform/media_backend.h"

namespace {

// ---- State ------------------------------------------------------------------------------------

constexpr int SampleRate = 44100;
constexpr int OutputChannels = 2;
constexpr int BufferFrames = 1024;
constexpr int BytesPerFrame = OutputChannels * static_cast<int>(sizeof(int16_t));
constexpr int DefaultMixerChannels = 8;
constexpr double SynthGain = 0.5;
// Guards against a MIDI effect that never ends.
constexpr int MaxEffectFrames = SampleRate * 60;
// Notes ring on after the last event; the tail is cut at silence or after this long.
constexpr int MaxTailFrames = SampleRate * 2;
// A sample this close to zero counts as silence when the tail is cut.
constexpr int SilenceLevel = 4;
constexpr const char* SoundFontFiles[] = {
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
    "/usr/share/sounds/sf2/default-GM.sf2",
};

enum AudioStatus { AudioUntried, AudioRunning, AudioFailed };
enum SynthStatus { SynthUntried, SynthReady, SynthMissing };

struct EffectSlot {
  Mix_Chunk* chunk = nullptr;   // owns its samples (freed with the chunk)
  int channel = -1;             // mixer channel of the alias
};

struct MusicSlot {
  bool open = false;
  MediaKind kind = MediaUnplayable;
  std::vector<unsigned char> midi;   // the MIDI file, replayed from memory
  fluid_player_t* player = nullptr;  // the MIDI player once played
  Mix_Music* stream = nullptr;       // decoded music of the other formats
};

struct MixerMedia {
  AudioStatus audio = AudioUntried;
  SynthStatus synths = SynthUntried;
  fluid_settings_t* synthSettings = nullptr;
  fluid_synth_t* renderSynth = nullptr;   // renders effects on the UI thread
  fluid_synth_t* musicSynth = nullptr;    // streams music on the audio thread
  std::map<int, EffectSlot> effects;      // open effect aliases
  std::map<int, int> effectChannels;      // mixer channel given to each effect alias
  MusicSlot music;                        // alias 8
  std::atomic<int> musicVolume{MediaFullVolume};   // read by the audio thread
};

MixerMedia gMixer;

int MixerVolumeOf(int volume) {
  return std::clamp(volume, 0, MediaFullVolume) * MIX_MAX_VOLUME / MediaFullVolume;
}

// ---- Audio start and stop ---------------------------------------------------------------------

bool OpenAudioDevice() {
  // SDL would otherwise turn SIGINT and SIGTERM into quit events that nobody reads, and the
  // program could no longer be stopped with them.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  if (Mix_OpenAudioDevice(SampleRate, AUDIO_S16SYS, OutputChannels, BufferFrames, nullptr, 0) == 0) {
    return true;
  }
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  return false;
}

// Tried once: a machine without a sound device gets the silent device, which keeps the timing.
bool StartAudio() {
  if (gMixer.audio != AudioUntried) return gMixer.audio == AudioRunning;
  gMixer.audio = AudioFailed;
  if (!OpenAudioDevice()) {
    SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
    if (!OpenAudioDevice()) return false;
  }
  Mix_Init(MIX_INIT_FLAC | MIX_INIT_MP3 | MIX_INIT_OGG);
  Mix_AllocateChannels(DefaultMixerChannels);
  gMixer.audio = AudioRunning;
  return true;
}

void StopAudio() {
  if (gMixer.audio == AudioRunning) {
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
  gMixer.audio = AudioUntried;
}

// ---- MIDI synthesis ---------------------------------------------------------------------------

fluid_synth_t* NewSynth() {
  fluid_synth_t* synth = new_fluid_synth(gMixer.synthSettings);
  if (synth == nullptr) return nullptr;
  for (const char* file : SoundFontFiles) {
    if (fluid_synth_sfload(synth, file, 1) != FLUID_FAILED) return synth;
  }
  delete_fluid_synth(synth);
  return nullptr;
}

void DeleteSynths() {
  if (gMixer.renderSynth != nullptr) delete_fluid_synth(gMixer.renderSynth);
  if (gMixer.musicSynth != nullptr) delete_fluid_synth(gMixer.musicSynth);
  if (gMixer.synthSettings != nullptr) delete_fluid_settings(gMixer.synthSettings);
  gMixer.renderSynth = nullptr;
  gMixer.musicSynth = nullptr;
  gMixer.synthSettings = nullptr;
  gMixer.synths = SynthUntried;
}

// Both synthesizers load the SoundFont on the first MIDI open. False when none can be loaded.
bool StartSynths() {
  if (gMixer.synths != SynthUntried) return gMixer.synths == SynthReady;
  fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
  fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
  fluid_set_log_function(FLUID_DBG, nullptr, nullptr);
  gMixer.synthSettings = new_fluid_settings();
  if (gMixer.synthSettings != nullptr) {
    fluid_settings_setnum(gMixer.synthSettings, "synth.sample-rate", SampleRate);
    fluid_settings_setnum(gMixer.synthSettings, "synth.gain", SynthGain);
    gMixer.renderSynth = NewSynth();
    gMixer.musicSynth = NewSynth();
  }
  if (gMixer.renderSynth == nullptr || gMixer.musicSynth == nullptr) {
    DeleteSynths();
    gMixer.synths = SynthMissing;
    return false;
  }
  gMixer.synths = SynthReady;
  return true;
}

bool ReadWholeFile(const std::string& path, std::vector<unsigned char>& bytes) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return !bytes.empty();
}

bool IsSilentBlock(const std::vector<int16_t>& block) {
  return std::all_of(block.begin(), block.end(),
                     [](int16_t sample) { return std::abs(sample) <= SilenceLevel; });
}

void AppendRendered(fluid_synth_t* synth, std::vector<int16_t>& block,
                    std::vector<int16_t>& samples) {
  fluid_synth_write_s16(synth, BufferFrames, block.data(), 0, OutputChannels, block.data(), 1,
                        OutputChannels);
  samples.insert(samples.end(), block.begin(), block.end());
}

// The whole MIDI file as interleaved stereo samples, its release tail included and trailing
// silence cut. Empty when the file yields no sound.
std::vector<int16_t> RenderMidi(const std::vector<unsigned char>& midi) {
  std::vector<int16_t> samples;
  fluid_synth_t* synth = gMixer.renderSynth;
  fluid_synth_system_reset(synth);
  fluid_player_t* player = new_fluid_player(synth);
  if (player == nullptr) return samples;
  std::vector<int16_t> block(BufferFrames * OutputChannels);
  if (fluid_player_add_mem(player, midi.data(), midi.size()) == FLUID_OK &&
      fluid_player_play(player) == FLUID_OK) {
    int frames = 0;
    while (fluid_player_get_status(player) == FLUID_PLAYER_PLAYING && frames < MaxEffectFrames) {
      AppendRendered(synth, block, samples);
      frames += BufferFrames;
    }
    for (int tail = 0; tail < MaxTailFrames; tail += BufferFrames) {
      AppendRendered(synth, block, samples);
      if (IsSilentBlock(block)) break;
    }
  }
  delete_fluid_player(player);
  fluid_synth_system_reset(synth);
  auto lastSound = std::find_if(samples.rbegin(), samples.rend(),
                                [](int16_t sample) { return std::abs(sample) > SilenceLevel; });
  size_t kept = static_cast<size_t>(samples.rend() - lastSound);
  kept += kept % OutputChannels;
  samples.resize(kept);
  return samples;
}

// ---- Effects ----------------------------------------------------------------------------------

int ChannelOfEffect(int alias) {
  auto found = gMixer.effectChannels.find(alias);
  if (found != gMixer.effectChannels.end()) return found->second;
  const int channel = static_cast<int>(gMixer.effectChannels.size());
  if (channel >= Mix_AllocateChannels(-1)) Mix_AllocateChannels(channel + 1);
  gMixer.effectChannels[alias] = channel;
  return channel;
}

bool OpenEffect(int alias, const std::string& path, MediaKind kind) {
  std::vector<unsigned char> midi;
  if (kind != MediaMidi || !StartSynths() || !ReadWholeFile(path, midi)) return false;
  const std::vector<int16_t> samples = RenderMidi(midi);
  if (samples.empty()) return false;
  const size_t bytes = samples.size() * sizeof(int16_t);
  auto* buffer = static_cast<Uint8*>(SDL_malloc(bytes));
  if (buffer == nullptr) return false;
  std::memcpy(buffer, samples.data(), bytes);
  Mix_Chunk* chunk = Mix_QuickLoad_RAW(buffer, static_cast<Uint32>(bytes));
  if (chunk == nullptr) {
    SDL_free(buffer);
    return false;
  }
  chunk->allocated = 1;
  const int channel = ChannelOfEffect(alias);
  Mix_Volume(channel, MIX_MAX_VOLUME);
  gMixer.effects[alias] = EffectSlot{chunk, channel};
  return true;
}

void CloseEffect(int alias) {
  auto found = gMixer.effects.find(alias);
  if (found == gMixer.effects.end()) return;
  Mix_HaltChannel(found->second.channel);
  Mix_FreeChunk(found->second.chunk);
  gMixer.effects.erase(found);
}

// ---- Music ------------------------------------------------------------------------------------

void SDLCALL FeedMusic(void*, Uint8* stream, int length) {
  auto* samples = reinterpret_cast<int16_t*>(stream);
  const int frames = length / BytesPerFrame;
  fluid_synth_write_s16(gMixer.musicSynth, frames, samples, 0, OutputChannels, samples, 1,
                        OutputChannels);
  const int volume = gMixer.musicVolume.load();
  if (volume >= MediaFullVolume) return;
  const int count = frames * OutputChannels;
  for (int i = 0; i < count; ++i) {
    samples[i] = static_cast<int16_t>(samples[i] * volume / MediaFullVolume);
  }
}

void StopMidiMusic() {
  MusicSlot& music = gMixer.music;
  if (music.player == nullptr) return;
  Mix_HookMusic(nullptr, nullptr);
  delete_fluid_player(music.player);
  music.player = nullptr;
  fluid_synth_system_reset(gMixer.musicSynth);
}

void PlayMidiMusic() {
  MusicSlot& music = gMixer.music;
  StopMidiMusic();
  music.player = new_fluid_player(gMixer.musicSynth);
  if (music.player == nullptr) return;
  if (fluid_player_add_mem(music.player, music.midi.data(), music.midi.size()) != FLUID_OK ||
      fluid_player_play(music.player) != FLUID_OK) {
    delete_fluid_player(music.player);
    music.player = nullptr;
    return;
  }
  Mix_HookMusic(FeedMusic, nullptr);
}

bool OpenMusic(const std::string& path, MediaKind kind) {
  MusicSlot& music = gMixer.music;
  if (kind == MediaMidi) {
    if (!StartSynths() || !ReadWholeFile(path, music.midi)) return false;
  } else {
    music.stream = Mix_LoadMUS(path.c_str());
    if (music.stream == nullptr) return false;
  }
  music.kind = kind;
  music.open = true;
  gMixer.musicVolume = MediaFullVolume;
  Mix_VolumeMusic(MIX_MAX_VOLUME);
  return true;
}

void CloseMusic() {
  MusicSlot& music = gMixer.music;
  StopMidiMusic();
  if (music.stream != nullptr) {
    Mix_HaltMusic();
    Mix_FreeMusic(music.stream);
  }
  music = MusicSlot{};
}

// A MIDI track counts as ended once the player is done, which includes the player's short grace
// period for the last notes to die away.
std::string MusicMode() {
  const MusicSlot& music = gMixer.music;
  if (!music.open) return "";
  bool playing = false;
  if (music.kind == MediaMidi) {
    playing = music.player != nullptr &&
              fluid_player_get_status(music.player) == FLUID_PLAYER_PLAYING;
  } else {
    playing = Mix_PlayingMusic() != 0;
  }
  return playing ? "playing" : "stopped";
}

}  // namespace

// ---- The backend calls ------------------------------------------------------------------------

bool OpenMixerMedia(int alias, const std::string& path, MediaKind kind) {
  if (!StartAudio()) return false;
  if (alias == MediaMusicAlias) return OpenMusic(path, kind);
  return OpenEffect(alias, path, kind);
}

void CloseMixerMedia(int alias) {
  if (gMixer.audio != AudioRunning) return;
  if (alias == MediaMusicAlias) {
    CloseMusic();
  } else {
    CloseEffect(alias);
  }
}

void PlayMixerMedia(int alias) {
  if (gMixer.audio != AudioRunning) return;
  if (alias == MediaMusicAlias) {
    if (!gMixer.music.open) return;
    if (gMixer.music.kind == MediaMidi) {
      PlayMidiMusic();
    } else {
      Mix_PlayMusic(gMixer.music.stream, 0);
    }
    return;
  }
  auto found = gMixer.effects.find(alias);
  if (found != gMixer.effects.end()) Mix_PlayChannel(found->second.channel, found->second.chunk, 0);
}

void SetMixerMediaVolume(int alias, int volume) {
  if (gMixer.audio != AudioRunning) return;
  if (alias == MediaMusicAlias) {
    if (!gMixer.music.open) return;
    gMixer.musicVolume = std::clamp(volume, 0, MediaFullVolume);
    Mix_VolumeMusic(MixerVolumeOf(volume));
    return;
  }
  auto found = gMixer.effects.find(alias);
  if (found != gMixer.effects.end()) Mix_Volume(found->second.channel, MixerVolumeOf(volume));
}

std::string MixerMediaMode(int alias) {
  if (gMixer.audio != AudioRunning) return "";
  if (alias == MediaMusicAlias) return MusicMode();
  auto found = gMixer.effects.find(alias);
  if (found == gMixer.effects.end()) return "";
  return Mix_Playing(found->second.channel) != 0 ? "playing" : "stopped";
}

bool IsMixerAudioRunning() { return gMixer.audio == AudioRunning; }

std::vector<int16_t> MixerMediaSamples(int alias) {
  auto found = gMixer.effects.find(alias);
  if (found == gMixer.effects.end()) return {};
  const Mix_Chunk* chunk = found->second.chunk;
  const auto* first = reinterpret_cast<const int16_t*>(chunk->abuf);
  return std::vector<int16_t>(first, first + chunk->alen / sizeof(int16_t));
}

void ShutdownMixerMedia() {
  if (gMixer.audio == AudioRunning) {
    CloseMusic();
    while (!gMixer.effects.empty()) CloseEffect(gMixer.effects.begin()->first);
  }
  gMixer.effectChannels.clear();
  StopAudio();
  DeleteSynths();
}
