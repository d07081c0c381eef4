// The mixer's sound effects: MIDI files rendered to samples on a thread of their own, each
// played on a mixer channel of its own.
//
// Sections: state; MIDI rendering; the renderer; effects; rendered samples; shut-down.
//
// Effects are rendered to samples once, so a play is only a mixer channel start. The rendering
// takes a good part of a second for the game's six effects, so it runs on a thread of its own,
// in the order the effects were opened: an open returns at once, and a play of an effect still
// being rendered starts it as soon as its samples are there. A synthesizer holds the whole
// SoundFont, well over ten megabytes, so the renderer drops its own once nothing is left to
// render.
#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>
#include <fluidsynth.h>

#include <algorithm>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>
#include <mutex>
#include <thread>

#include "platform/media.h"
#include "platform/media_mixer_internal.h"
#include "platform/process.h"

namespace {

// ---- State ------------------------------------------------------------------------------------

// Guards against a MIDI effect that never ends.
constexpr int MaxEffectFrames = SampleRate * 60;
// Notes ring on after the last event; the tail is cut at silence or after this long.
constexpr int MaxTailFrames = SampleRate * 2;
// A sample this close to zero counts as silence when the tail is cut.
constexpr int SilenceLevel = 4;

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
  fluid_synth_t* synth = nullptr;        // renders effects while any are queued
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

EffectRenderer gRenderer;
std::map<int, int> gEffectChannels;   // mixer channel given to each effect alias

// ---- MIDI rendering ---------------------------------------------------------------------------

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

// ---- The renderer -----------------------------------------------------------------------------

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
  EffectRenderer& r = gRenderer;
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
      // The synthesizer, and the large buffers rendering grew and dropped, go back to the
      // system.
      r.synth = nullptr;
      hold.unlock();
      if (synth != nullptr) delete_fluid_synth(synth);
      ReleaseFreedMemory();
      hold.lock();
    }
  }
}

// The effect's samples once rendered: waits for the renderer (tests).
const EffectSlot* RenderedEffect(int alias, std::unique_lock<std::mutex>& hold) {
  EffectRenderer& r = gRenderer;
  r.changed.wait(hold, [&r, alias] {
    auto found = r.effects.find(alias);
    return found == r.effects.end() || !found->second.rendering;
  });
  auto found = r.effects.find(alias);
  return found != r.effects.end() ? &found->second : nullptr;
}

// ---- Effects ----------------------------------------------------------------------------------

int ChannelOfEffect(int alias) {
  auto found = gEffectChannels.find(alias);
  if (found != gEffectChannels.end()) return found->second;
  const int channel = static_cast<int>(gEffectChannels.size());
  if (channel >= Mix_AllocateChannels(-1)) Mix_AllocateChannels(channel + 1);
  gEffectChannels[alias] = channel;
  return channel;
}

}  // namespace

bool OpenMixerEffect(int alias, const std::string& path, MediaKind kind) {
  std::vector<unsigned char> midi;
  if (kind != MediaMidi || !SoundFontPresent() || !StartSynthSettings() ||
      !ReadMediaFile(path, midi))
    return false;
  const int channel = ChannelOfEffect(alias);
  Mix_Volume(channel, MIX_MAX_VOLUME);
  EffectRenderer& r = gRenderer;
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

void CloseMixerEffect(int alias) {
  EffectRenderer& r = gRenderer;
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

void PlayMixerEffect(int alias) {
  EffectRenderer& r = gRenderer;
  std::lock_guard<std::mutex> hold(r.lock);
  auto found = r.effects.find(alias);
  if (found == r.effects.end()) return;
  if (found->second.rendering)
    found->second.playWhenReady = true;
  else if (found->second.chunk != nullptr)
    Mix_PlayChannel(found->second.channel, found->second.chunk, 0);
}

void SetMixerEffectVolume(int alias, int volume) {
  EffectRenderer& r = gRenderer;
  std::lock_guard<std::mutex> hold(r.lock);
  auto found = r.effects.find(alias);
  if (found != r.effects.end()) Mix_Volume(found->second.channel, MixerVolumeOf(volume));
}

std::string MixerEffectMode(int alias) {
  EffectRenderer& r = gRenderer;
  std::lock_guard<std::mutex> hold(r.lock);
  auto found = r.effects.find(alias);
  if (found == r.effects.end()) return "";
  const bool playing = found->second.playWhenReady || Mix_Playing(found->second.channel) != 0;
  return playing ? "playing" : "stopped";
}

// ---- Rendered samples -------------------------------------------------------------------------

// A backend call: what an effect sounds like, once the renderer has rendered it (tests, bench).
std::vector<int16_t> MixerMediaSamples(int alias) {
  std::unique_lock<std::mutex> hold(gRenderer.lock);
  const EffectSlot* slot = RenderedEffect(alias, hold);
  if (slot == nullptr || slot->chunk == nullptr) return {};
  const auto* first = reinterpret_cast<const int16_t*>(slot->chunk->abuf);
  return std::vector<int16_t>(first, first + slot->chunk->alen / sizeof(int16_t));
}

// ---- Shut-down --------------------------------------------------------------------------------

void StopEffectRenderer() {
  EffectRenderer& r = gRenderer;
  r.Stop();
  r.jobs.clear();
  if (r.synth != nullptr) delete_fluid_synth(r.synth);
  r.synth = nullptr;
}

void CloseMixerEffects() {
  while (!gRenderer.effects.empty()) CloseMixerEffect(gRenderer.effects.begin()->first);
}

void ForgetMixerEffects() {
  gRenderer.effects.clear();
  gEffectChannels.clear();
}
