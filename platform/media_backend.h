// Shared between the media front (media.cpp) and its SDL2_mixer + FluidSynth backend only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum MediaKind {
  MediaUnplayable,   // not a file the media layer knows
  MediaMidi,         // Standard MIDI File
  MediaStream,       // WAV, Ogg, FLAC or MP3, decoded by the mixer
};

// Recognises a media file by its first bytes.
MediaKind SniffMediaKind(const std::string& path);

bool OpenMixerMedia(int alias, const std::string& path, MediaKind kind);
void CloseMixerMedia(int alias);
void PlayMixerMedia(int alias);
void SetMixerMediaVolume(int alias, int volume);
std::string MixerMediaMode(int alias);
bool IsMixerAudioRunning();
std::vector<int16_t> MixerMediaSamples(int alias);
std::vector<int16_t> MixerMusicSamples(int frames);
bool IsMixerMusicRendered();
void ShutdownMixerMedia();
