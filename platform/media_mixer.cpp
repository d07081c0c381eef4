// The media backend on SDL2 audio and SDL2_mixer, with FluidSynth for MIDI: the audio device, the
// synthesizers' settings, and the backend calls, which go to the effects (media_effects.cpp) or
// the music (media_music.cpp).
//
// Sections: state; audio start and stop; synthesizers; the backend calls.
#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>
#include <fluidsynth.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

#include "platform/media.h"
#include "platform/media_backend.h"
#include "platform/media_mixer_internal.h"

namespace {

// ---- State ------------------------------------------------------------------------------------

constexpr int DefaultMixerChannels = 8;
constexpr double SynthGain = 0.5;
constexpr const char* SoundFontFiles[] = {
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
    "/usr/share/sounds/sf2/default-GM.sf2",
};

enum AudioStatus { AudioUntried, AudioRunning, AudioFailed };

struct MixerMedia {
  AudioStatus audio = AudioUntried;
  fluid_settings_t* synthSettings = nullptr;
};

MixerMedia gMixer;

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

}  // namespace

// ---- Synthesizers -----------------------------------------------------------------------------

int MixerVolumeOf(int volume) {
  return std::clamp(volume, 0, MediaFullVolume) * MIX_MAX_VOLUME / MediaFullVolume;
}

bool SoundFontPresent() {
  struct stat info {};
  for (const char* file : SoundFontFiles)
    if (stat(file, &info) == 0 && S_ISREG(info.st_mode)) return true;
  return false;
}

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

bool ReadMediaFile(const std::string& path, std::vector<unsigned char>& bytes) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return !bytes.empty();
}

// ---- The backend calls ------------------------------------------------------------------------

bool OpenMixerMedia(int alias, const std::string& path, MediaKind kind) {
  if (!StartAudio()) return false;
  if (alias == MediaMusicAlias) return OpenMixerMusic(path, kind);
  return OpenMixerEffect(alias, path, kind);
}

void CloseMixerMedia(int alias) {
  if (gMixer.audio != AudioRunning) return;
  if (alias == MediaMusicAlias) {
    CloseMixerMusic();
  } else {
    CloseMixerEffect(alias);
  }
}

void PlayMixerMedia(int alias) {
  if (gMixer.audio != AudioRunning) return;
  if (alias == MediaMusicAlias) {
    PlayMixerMusic();
  } else {
    PlayMixerEffect(alias);
  }
}

void SetMixerMediaVolume(int alias, int volume) {
  if (gMixer.audio != AudioRunning) return;
  if (alias == MediaMusicAlias) {
    SetMixerMusicVolume(volume);
  } else {
    SetMixerEffectVolume(alias, volume);
  }
}

std::string MixerMediaMode(int alias) {
  if (gMixer.audio != AudioRunning) return "";
  if (alias == MediaMusicAlias) return MixerMusicMode();
  return MixerEffectMode(alias);
}

bool IsMixerAudioRunning() { return gMixer.audio == AudioRunning; }

// MixerMediaSamples is with the effects (media_effects.cpp).

void ShutdownMixerMedia() {
  StopEffectRenderer();
  if (gMixer.audio == AudioRunning) {
    CloseMixerMusic();
    CloseMixerEffects();
  }
  ForgetMixerEffects();
  StopAudio();
  DeleteMusicSynth();
  if (gMixer.synthSettings != nullptr) delete_fluid_settings(gMixer.synthSettings);
  gMixer.synthSettings = nullptr;
}
