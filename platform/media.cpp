// The media front: file recognition, and the choice between the mixer backend and the recording
// backend of the tests.
//
// Sections: file recognition; recording backend; the public calls.
#include "platform/media.h"

#include <fstream>
#include <map>

#include "platform/files.h"
#include "platform/journal.h"
#include "platform/media_backend.h"

namespace {

constexpr int SniffBytes = 12;

struct RecordedAlias {
  bool playing = false;   // played and not finished since
};

struct MediaRecorder {
  bool on = false;                          // calls are recorded instead of played
  std::vector<std::string> log;             // command texts in call order
  std::map<int, RecordedAlias> openAliases; // simulated open aliases
};

MediaRecorder gRecorder;

bool StartsWith(const unsigned char* bytes, int count, const char* text) {
  for (int i = 0; text[i] != '\0'; ++i) {
    if (i >= count || bytes[i] != static_cast<unsigned char>(text[i])) return false;
  }
  return true;
}

// Every call goes to the journal; while recording, also to the media log.
void RecordCall(const std::string& text) {
  JournalCall("media " + text);
  if (gRecorder.on) gRecorder.log.push_back(text);
}

}  // namespace

// ---- File recognition -------------------------------------------------------------------------

MediaKind SniffMediaKind(const std::string& path) {
  // A device or a FIFO is never opened: the read could block or never end.
  if (!IsRegularFile(path)) return MediaUnplayable;
  std::ifstream file(path, std::ios::binary);
  if (!file) return MediaUnplayable;
  unsigned char head[SniffBytes] = {};
  file.read(reinterpret_cast<char*>(head), SniffBytes);
  const int count = static_cast<int>(file.gcount());
  if (StartsWith(head, count, "MThd")) return MediaMidi;
  constexpr int WaveTagOffset = 8;
  if (StartsWith(head, count, "RIFF") && count >= SniffBytes &&
      StartsWith(head + WaveTagOffset, count - WaveTagOffset, "WAVE")) {
    return MediaStream;
  }
  if (StartsWith(head, count, "OggS") || StartsWith(head, count, "fLaC") ||
      StartsWith(head, count, "ID3")) {
    return MediaStream;
  }
  // An MP3 without tags starts with a frame: eleven set sync bits.
  constexpr unsigned char SyncHigh = 0xFF, SyncLowMask = 0xE0;
  if (count >= 2 && head[0] == SyncHigh && (head[1] & SyncLowMask) == SyncLowMask) {
    return MediaStream;
  }
  return MediaUnplayable;
}

// ---- Recording backend ------------------------------------------------------------------------

void RecordMediaCalls(bool on) {
  if (on && !gRecorder.on) ShutdownMixerMedia();
  gRecorder.on = on;
  gRecorder.log.clear();
  gRecorder.openAliases.clear();
}

const std::vector<std::string>& MediaCallLog() { return gRecorder.log; }

void ClearMediaCallLog() { gRecorder.log.clear(); }

void FinishRecordedMedia(int alias) {
  auto found = gRecorder.openAliases.find(alias);
  if (found != gRecorder.openAliases.end()) found->second.playing = false;
}

// ---- The public calls -------------------------------------------------------------------------

bool OpenMedia(int alias, const std::string& path) {
  const MediaKind kind = SniffMediaKind(path);
  RecordCall("open " + std::to_string(alias) + " " + path);
  if (gRecorder.on) {
    gRecorder.openAliases.erase(alias);
    if (kind == MediaUnplayable) return false;
    gRecorder.openAliases[alias] = RecordedAlias{};
    return true;
  }
  CloseMixerMedia(alias);
  if (kind == MediaUnplayable) return false;
  return OpenMixerMedia(alias, path, kind);
}

void CloseMedia(int alias) {
  RecordCall("close " + std::to_string(alias));
  if (gRecorder.on) {
    gRecorder.openAliases.erase(alias);
    return;
  }
  CloseMixerMedia(alias);
}

void PlayMedia(int alias) {
  RecordCall("play " + std::to_string(alias));
  if (gRecorder.on) {
    auto found = gRecorder.openAliases.find(alias);
    if (found != gRecorder.openAliases.end()) found->second.playing = true;
    return;
  }
  PlayMixerMedia(alias);
}

void SetMediaVolume(int alias, int volume) {
  RecordCall("volume " + std::to_string(alias) + " " + std::to_string(volume));
  if (gRecorder.on) {
    return;
  }
  SetMixerMediaVolume(alias, volume);
}

std::string MediaMode(int alias) {
  RecordCall("mode " + std::to_string(alias));
  if (gRecorder.on) {
    auto found = gRecorder.openAliases.find(alias);
    if (found == gRecorder.openAliases.end()) return "";
    return found->second.playing ? "playing" : "stopped";
  }
  return MixerMediaMode(alias);
}

bool IsMediaAudioRunning() { return IsMixerAudioRunning(); }

std::vector<int16_t> MediaSamples(int alias) { return MixerMediaSamples(alias); }

std::vector<int16_t> MediaMusicSamples(int frames) {
  if (gRecorder.on) return {};
  return MixerMusicSamples(frames);
}

bool IsMediaMusicRendered() { return !gRecorder.on && IsMixerMusicRendered(); }

void ShutdownMedia() { ShutdownMixerMedia(); }
