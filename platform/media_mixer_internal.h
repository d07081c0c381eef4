// Shared between the sources of the SDL2_mixer + FluidSynth media backend only: the mixer
// (media_mixer.cpp), its effects (media_effects.cpp) and its music (media_music.cpp).
#pragma once

#include <fluidsynth.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/media.h"
#include "platform/media_backend.h"

// The audio device's format: interleaved 16-bit stereo, fed in blocks of BufferFrames.
constexpr int SampleRate = MediaSampleRate;
constexpr int OutputChannels = MediaChannels;
constexpr int BufferFrames = 1024;

// ---- The mixer (media_mixer.cpp) --------------------------------------------------------------

// A media volume (0 to MediaFullVolume) as a mixer volume.
int MixerVolumeOf(int volume);
bool SoundFontPresent();
// The settings are made once, on the UI thread, before any synthesizer.
bool StartSynthSettings();
// A synthesizer with the first SoundFont that loads, or nullptr.
fluid_synth_t* NewSynth();
bool ReadMediaFile(const std::string& path, std::vector<unsigned char>& bytes);

// ---- Effects (media_effects.cpp) --------------------------------------------------------------

bool OpenMixerEffect(int alias, const std::string& path, MediaKind kind);
void CloseMixerEffect(int alias);
void PlayMixerEffect(int alias);
void SetMixerEffectVolume(int alias, int volume);
std::string MixerEffectMode(int alias);
// Shut-down, in this order: the renderer stops and drops its synthesizer; with the audio running
// the effects are closed; then every effect and channel is forgotten.
void StopEffectRenderer();
void CloseMixerEffects();
void ForgetMixerEffects();

// ---- Music (media_music.cpp) ------------------------------------------------------------------

bool OpenMixerMusic(const std::string& path, MediaKind kind);
void CloseMixerMusic();
void PlayMixerMusic();
void SetMixerMusicVolume(int volume);
std::string MixerMusicMode();
// Shut-down, once the audio has stopped.
void DeleteMusicSynth();
