// The media backend on SDL2 audio and SDL2_mixer, with FluidSynth for MIDI.
//
// Sections: state; audio start and stop; MIDI synthesis; effects; music; the backend calls.
//
// Effects are rendered to samples once, so a play is only a mixer channel start. The rendering
// takes a good part of a second for the game's six effects, so it runs on a thread of its own,
// in the order the effects were opened: an open returns at once, and a play of an effect still
// being rendered starts it as soon as its samples are there. MIDI music streams through a music
// hook: the audio thread runs the synthesizer, and the UI thread only touches the player while
// the hook is removed (removing it waits for the audio thread to leave the hook). The music
// takes over the rendering synthesizer once the renderer is idle, so the SoundFont is loaded once.
#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>
#include <fluidsynth.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fstream>
#include <iterator>
#include <map>
#include <mutex>
#include <sys/stat.h>
#include <thread>

#include "platform/media.h"
#include "platform/media_backend.h"
#include "platform/process.h"

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

struct EffectSlot {
  Mix_Chunk* chunk = nullptr;   // owns its samples (freed with the chunk); null while rendering
  int channel = -1;             // mixer channel of the alias
  bool rendering = true;        // waiting for or in the renderer
  bool playWhenReady = false;   // played before its samples were there
  unsigned job = 0;             // the render job that fills it
};

struct RenderJob {
  int alias;
  unsigned job;
  std::vector<unsigned char> midi;
};

struct MusicSlot {
  bool open = false;
  MediaKind kind = MediaUnplayable;
  std::vector<unsigned char> midi;   // the MIDI file, replayed from memory
  fluid_player_t* player = nullptr;  // the MIDI player once played
  Mix_Music* stream = nullptr;       // decoded music of the other formats
};

// The renderer's queue and the effects it fills; guarded by lock, which the renderer holds only
// between two renderings.
struct EffectRenderer {
  std::mutex lock;
  std::condition_variable changed;       // a job queued, a job done, or stopping
  std::thread thread;                    // started with the first effect
  std::deque<RenderJob> jobs;            // oldest first
  bool busy = false;                     // a job is being rendered
  bool stopping = false;
  unsigned lastJob = 0;
  fluid_synth_t* synth = nullptr;        // renders effects; owned by the renderer while busy
  std::map<int, EffectSlot> effects;     // open effect aliases

  // A program that ends without shutting the media down still waits for the renderer.
  ~EffectRenderer() { Stop(); }
  void Stop() {
    if (!thread.joinable()) return;
    {
      std::lock_guard<std::mutex> hold(lock);
      stopping = true;
    }
    changed.notify_all();
    thread.join();
    stopping = false;
  }
};

struct MixerMedia {
  AudioStatus audio = AudioUntried;
  fluid_settings_t* synthSettings = nullptr;
  fluid_synth_t* musicSynth = nullptr;    // streams music on the audio thread
  EffectRenderer render;
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

bool SoundFontPresent() {
  struct stat info {};
  for (const char* file : SoundFontFiles)
    if (stat(file, &info) == 0 && S_ISREG(info.st_mode)) return true;
  return false;
}

// The settings are made once, on the UI thread, before any synthesizer.
bool StartSynthSettings() {
  if (gMixer.synthSettings != nullptr) return true;
  fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
  fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
  fluid_set_log_function(FLUID_DBG, nullptr, nullptr);
  gMixer.synthSettings = new_fluid_settings();
  if (gMixer.synthSettings == nullptr) return false;
  fluid_settings_setnum(gMixer.synthSettings, "synth.sample-rate", SampleRate);
  fluid_settings_setnum(gMixer.synthSettings, "synth.gain", SynthGain);
  return true;
}

fluid_synth_t* NewSynth() {
  fluid_synth_t* synth = new_fluid_synth(gMixer.synthSettings);
  if (synth == nullptr) return nullptr;
  for (const char* file : SoundFontFiles) {
    if (fluid_synth_sfload(synth, file, 1) != FLUID_FAILED) return synth;
  }
  delete_fluid_synth(synth);
  return nullptr;
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
std::vector<int16_t> RenderMidi(fluid_synth_t* synth, const std::vector<unsigned char>& midi) {
  std::vector<int16_t> samples;
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

Mix_Chunk* ChunkOf(const std::vector<int16_t>& samples) {
  if (samples.empty()) return nullptr;
  const size_t bytes = samples.size() * sizeof(int16_t);
  auto* buffer = static_cast<Uint8*>(SDL_malloc(bytes));
  if (buffer == nullptr) return nullptr;
  std::memcpy(buffer, samples.data(), bytes);
  Mix_Chunk* chunk = Mix_QuickLoad_RAW(buffer, static_cast<Uint32>(bytes));
  if (chunk == nullptr) {
    SDL_free(buffer);
    return nullptr;
  }
  chunk->allocated = 1;
  return chunk;
}

// The renderer: takes the jobs in order; an effect closed meanwhile drops its samples.
void RenderEffects() {
  EffectRenderer& r = gMixer.render;
  std::unique_lock<std::mutex> hold(r.lock);
  for (;;) {
    r.changed.wait(hold, [&r] { return r.stopping || !r.jobs.empty(); });
    if (r.stopping) return;
    RenderJob job = std::move(r.jobs.front());
    r.jobs.pop_front();
    r.busy = true;
    fluid_synth_t* synth = r.synth;
    hold.unlock();
    if (synth == nullptr) synth = NewSynth();
    const std::vector<int16_t> samples =
        synth != nullptr ? RenderMidi(synth, job.midi) : std::vector<int16_t>();
    Mix_Chunk* chunk = ChunkOf(samples);
    hold.lock();
    r.synth = synth;
    r.busy = false;
    auto found = r.effects.find(job.alias);
    if (found != r.effects.end() && found->second.job == job.job) {
      EffectSlot& slot = found->second;
      slot.chunk = chunk;
      slot.rendering = false;
      if (chunk != nullptr && slot.playWhenReady) Mix_PlayChannel(slot.channel, chunk, 0);
      slot.playWhenReady = false;
    } else if (chunk != nullptr) {
      Mix_FreeChunk(chunk);
    }
    r.changed.notify_all();
    if (r.jobs.empty()) {
      // Rendering grows and drops large buffers: what it freed goes back to the system.
      hold.unlock();
      ReleaseFreedMemory();
      hold.lock();
    }
  }
}

void StopRenderer() {
  EffectRenderer& r = gMixer.render;
  r.Stop();
  r.jobs.clear();
  if (r.synth != nullptr) delete_fluid_synth(r.synth);
  r.synth = nullptr;
}

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
  if (kind != MediaMidi || !SoundFontPresent() || !StartSynthSettings() ||
      !ReadWholeFile(path, midi))
    return false;
  const int channel = ChannelOfEffect(alias);
  Mix_Volume(channel, MIX_MAX_VOLUME);
  EffectRenderer& r = gMixer.render;
  {
    std::lock_guard<std::mutex> hold(r.lock);
    EffectSlot slot;
    slot.channel = channel;
    slot.job = ++r.lastJob;
    r.effects[alias] = slot;
    r.jobs.push_back({alias, slot.job, std::move(midi)});
  }
  if (!r.thread.joinable()) r.thread = std::thread(RenderEffects);
  r.changed.notify_all();
  return true;
}

void CloseEffect(int alias) {
  EffectRenderer& r = gMixer.render;
  Mix_Chunk* chunk = nullptr;
  int channel = -1;
  {
    std::lock_guard<std::mutex> hold(r.lock);
    auto found = r.effects.find(alias);
    if (found == r.effects.end()) return;
    chunk = found->second.chunk;
    channel = found->second.channel;
    r.effects.erase(found);
    r.jobs.erase(std::remove_if(r.jobs.begin(), r.jobs.end(),
                                [alias](const RenderJob& job) { return job.alias == alias; }),
                 r.jobs.end());
  }
  Mix_HaltChannel(channel);
  if (chunk != nullptr) Mix_FreeChunk(chunk);
}

// The effect's samples once rendered: waits for the renderer (tests).
const EffectSlot* RenderedEffect(int alias, std::unique_lock<std::mutex>& hold) {
  EffectRenderer& r = gMixer.render;
  r.changed.wait(hold, [&r, alias] {
    auto found = r.effects.find(alias);
    return found == r.effects.end() || !found->second.rendering;
  });
  auto found = r.effects.find(alias);
  return found != r.effects.end() ? &found->second : nullptr;
}

// The music's synthesizer: the renderer's, once it has nothing left to render.
bool StartMusicSynth() {
  if (gMixer.musicSynth != nullptr) return true;
  if (!SoundFontPresent() || !StartSynthSettings()) return false;
  EffectRenderer& r = gMixer.render;
  {
    std::lock_guard<std::mutex> hold(r.lock);
    if (!r.busy && r.jobs.empty() && r.synth != nullptr) {
      gMixer.musicSynth = r.synth;
      r.synth = nullptr;
      return true;
    }
  }
  gMixer.musicSynth = NewSynth();
  return gMixer.musicSynth != nullptr;
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
    if (!StartMusicSynth() || !ReadWholeFile(path, music.midi)) return false;
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
  EffectRenderer& r = gMixer.render;
  std::lock_guard<std::mutex> hold(r.lock);
  auto found = r.effects.find(alias);
  if (found == r.effects.end()) return;
  if (found->second.rendering)
    found->second.playWhenReady = true;
  else if (found->second.chunk != nullptr)
    Mix_PlayChannel(found->second.channel, found->second.chunk, 0);
}

void SetMixerMediaVolume(int alias, int volume) {
  if (gMixer.audio != AudioRunning) return;
  if (alias == MediaMusicAlias) {
    if (!gMixer.music.open) return;
    gMixer.musicVolume = std::clamp(volume, 0, MediaFullVolume);
    Mix_VolumeMusic(MixerVolumeOf(volume));
    return;
  }
  EffectRenderer& r = gMixer.render;
  std::lock_guard<std::mutex> hold(r.lock);
  auto found = r.effects.find(alias);
  if (found != r.effects.end()) Mix_Volume(found->second.channel, MixerVolumeOf(volume));
}

std::string MixerMediaMode(int alias) {
  if (gMixer.audio != AudioRunning) return "";
  if (alias == MediaMusicAlias) return MusicMode();
  EffectRenderer& r = gMixer.render;
  std::lock_guard<std::mutex> hold(r.lock);
  auto found = r.effects.find(alias);
  if (found == r.effects.end()) return "";
  const bool playing = found->second.playWhenReady || Mix_Playing(found->second.channel) != 0;
  return playing ? "playing" : "stopped";
}

bool IsMixerAudioRunning() { return gMixer.audio == AudioRunning; }

std::vector<int16_t> MixerMediaSamples(int alias) {
  std::unique_lock<std::mutex> hold(gMixer.render.lock);
  const EffectSlot* slot = RenderedEffect(alias, hold);
  if (slot == nullptr || slot->chunk == nullptr) return {};
  const auto* first = reinterpret_cast<const int16_t*>(slot->chunk->abuf);
  return std::vector<int16_t>(first, first + slot->chunk->alen / sizeof(int16_t));
}

void ShutdownMixerMedia() {
  StopRenderer();
  if (gMixer.audio == AudioRunning) {
    CloseMusic();
    while (!gMixer.render.effects.empty()) CloseEffect(gMixer.render.effects.begin()->first);
  }
  gMixer.render.effects.clear();
  gMixer.effectChannels.clear();
  StopAudio();
  if (gMixer.musicSynth != nullptr) delete_fluid_synth(gMixer.musicSynth);
  gMixer.musicSynth = nullptr;
  if (gMixer.synthSettings != nullptr) delete_fluid_settings(gMixer.synthSettings);
  gMixer.synthSettings = nullptr;
}
