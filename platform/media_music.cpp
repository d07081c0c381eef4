// The mixer's music (alias 8): MIDI music synthesized on the audio thread, or a stream the mixer
// decodes.
//
// MIDI music streams through a music hook: the audio thread runs the synthesizer, and the UI
// thread only touches the player while the hook is removed (removing it waits for the audio
// thread to leave the hook). The music takes over the rendering synthesizer once the renderer is
// idle, so the SoundFont is loaded once.
#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>
#include <fluidsynth.h>

#include <algorithm>
#include <atomic>

#include "platform/media.h"
#include "platform/media_mixer_internal.h"

namespace {

constexpr int BytesPerFrame = OutputChannels * static_cast<int>(sizeof(int16_t));

struct MusicSlot {
  bool open = false;
  MediaKind kind = MediaUnplayable;
  std::vector<unsigned char> midi;   // the MIDI file, replayed from memory
  fluid_player_t* player = nullptr;  // the MIDI player once played
  Mix_Music* stream = nullptr;       // decoded music of the other formats
};

struct MixerMusic {
  fluid_synth_t* synth = nullptr;                  // streams music on the audio thread
  MusicSlot slot;
  std::atomic<int> volume{MediaFullVolume};        // read by the audio thread
};

MixerMusic gMusic;

// The music's synthesizer: the renderer's, once it has nothing left to render.
bool StartMusicSynth() {
  if (gMusic.synth != nullptr) return true;
  if (!SoundFontPresent() || !StartSynthSettings()) return false;
  gMusic.synth = TakeIdleRenderSynth();
  if (gMusic.synth != nullptr) return true;
  gMusic.synth = NewSynth();
  return gMusic.synth != nullptr;
}

void SDLCALL FeedMusic(void*, Uint8* stream, int length) {
  auto* samples = reinterpret_cast<int16_t*>(stream);
  const int frames = length / BytesPerFrame;
  fluid_synth_write_s16(gMusic.synth, frames, samples, 0, OutputChannels, samples, 1,
                        OutputChannels);
  const int volume = gMusic.volume.load();
  if (volume >= MediaFullVolume) return;
  const int count = frames * OutputChannels;
  for (int i = 0; i < count; ++i) {
    samples[i] = static_cast<int16_t>(samples[i] * volume / MediaFullVolume);
  }
}

void StopMidiMusic() {
  MusicSlot& music = gMusic.slot;
  if (music.player == nullptr) return;
  Mix_HookMusic(nullptr, nullptr);
  delete_fluid_player(music.player);
  music.player = nullptr;
  fluid_synth_system_reset(gMusic.synth);
}

void PlayMidiMusic() {
  MusicSlot& music = gMusic.slot;
  StopMidiMusic();
  music.player = new_fluid_player(gMusic.synth);
  if (music.player == nullptr) return;
  if (fluid_player_add_mem(music.player, music.midi.data(), music.midi.size()) != FLUID_OK ||
      fluid_player_play(music.player) != FLUID_OK) {
    delete_fluid_player(music.player);
    music.player = nullptr;
    return;
  }
  Mix_HookMusic(FeedMusic, nullptr);
}

}  // namespace

bool OpenMixerMusic(const std::string& path, MediaKind kind) {
  MusicSlot& music = gMusic.slot;
  if (kind == MediaMidi) {
    if (!StartMusicSynth() || !ReadMediaFile(path, music.midi)) return false;
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
  StopMidiMusic();
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
    PlayMidiMusic();
  } else {
    Mix_PlayMusic(music.stream, 0);
  }
}

void SetMixerMusicVolume(int volume) {
  if (!gMusic.slot.open) return;
  gMusic.volume = std::clamp(volume, 0, MediaFullVolume);
  Mix_VolumeMusic(MixerVolumeOf(volume));
}

// A MIDI track counts as ended once the player is done, which includes the player's short grace
// period for the last notes to die away.
std::string MixerMusicMode() {
  const MusicSlot& music = gMusic.slot;
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

void DeleteMusicSynth() {
  if (gMusic.synth != nullptr) delete_fluid_synth(gMusic.synth);
  gMusic.synth = nullptr;
}
