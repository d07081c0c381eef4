// musicrender: renders the shipped music tracks ahead, so that the game decodes them instead of
// synthesizing them on the audio thread.
//
//   musicrender [--report] SOUND_FOLDER TRACK...
//
// Each track (a MIDI file of the folder) is synthesized by the media layer exactly as the music
// alias would play it, to the moment the alias would report it stopped, and written as a music
// stream where the media layer looks for it (RenderedMusicPath: the folder "Rendered" beside the
// track). Streams of tracks no longer shipped are removed. Without a SoundFont nothing is
// rendered and the tracks play live; that is no failure. --report decodes each stream again and
// prints its length, size and signal-to-noise ratio: over the whole track, and the lowest of its
// seconds that are not near silence.
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/media.h"
#include "platform/music_stream.h"

namespace {

namespace fs = std::filesystem;

// A second quieter than this (RMS, in steps of the 16-bit samples) is the tail of the reverberation
// or the player's grace period: its ratio says nothing of the music.
constexpr double QuietLevel = 30;

int Usage() {
  std::fprintf(stderr, "usage: musicrender [--report] SOUND_FOLDER TRACK...\n");
  return 2;
}

// Removes the streams of the folder that were not written now.
void RemoveStaleStreams(const fs::path& folder, const std::set<fs::path>& written) {
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
    if (entry.path().extension() == ".music" && written.count(entry.path()) == 0)
      fs::remove(entry.path(), error);
  }
}

double Decibels(double signal, double noise) {
  return 10 * std::log10(signal / std::max(noise, 1.0));
}

// Decodes the stream and prints how far it is from the samples.
void ReportTrack(const char* name, const std::vector<int16_t>& samples, const std::string& bytes) {
  MusicStream* stream = OpenMusicStream(std::vector<unsigned char>(bytes.begin(), bytes.end()));
  std::vector<int16_t> decoded(samples.size());
  const int frames = static_cast<int>(samples.size() / MediaChannels);
  if (stream != nullptr) ReadMusicStream(stream, decoded.data(), frames);
  CloseMusicStream(stream);
  const size_t second = size_t{MediaSampleRate} * MediaChannels;
  double signal = 0, noise = 0, lowest = INFINITY;
  for (size_t start = 0; start < samples.size(); start += second) {
    double secondSignal = 0, secondNoise = 0;
    const size_t end = std::min(samples.size(), start + second);
    for (size_t i = start; i < end; ++i) {
      const double error = double(decoded[i]) - samples[i];
      secondSignal += double(samples[i]) * samples[i];
      secondNoise += error * error;
    }
    signal += secondSignal;
    noise += secondNoise;
    if (secondSignal / double(end - start) > QuietLevel * QuietLevel)
      lowest = std::min(lowest, Decibels(secondSignal, secondNoise));
  }
  const double seconds = double(frames) / MediaSampleRate;
  std::printf("%-12s %7.2f s %9zu bytes %6.1f kbit/s  SNR %5.2f dB, lowest second %5.2f dB\n",
              name, seconds, bytes.size(), bytes.size() * 8 / seconds / 1000,
              Decibels(signal, noise), lowest);
}

}  // namespace

int main(int argc, char** argv) {
  int first = 1;
  const bool report = argc > 1 && std::strcmp(argv[1], "--report") == 0;
  if (report) ++first;
  if (argc - first < 2) return Usage();
  const std::string soundFolder = PathInDirectory(argv[first], "");

  std::set<fs::path> written;
  fs::path renderedFolder;
  double totalSeconds = 0;
  size_t totalBytes = 0;
  for (int arg = first + 1; arg < argc; ++arg) {
    const std::string track = soundFolder + argv[arg];
    const std::vector<int16_t> samples = SynthesizeMusic(track, INT_MAX);
    if (samples.empty()) {
      // Every track needs the same synthesizer: none of them can be rendered.
      std::fprintf(stderr, "musicrender: %s cannot be synthesized (no SoundFont?): the music "
                   "plays live\n", track.c_str());
      break;
    }
    const std::string bytes = EncodeMusicStream(samples);
    const fs::path stream = RenderedMusicPath(track);
    std::error_code error;
    fs::create_directories(stream.parent_path(), error);
    if (!WriteFileAtomically(stream.string(), bytes)) {
      std::fprintf(stderr, "musicrender: cannot write %s\n", stream.c_str());
      return 1;
    }
    written.insert(stream);
    renderedFolder = stream.parent_path();
    totalSeconds += double(samples.size() / MediaChannels) / MediaSampleRate;
    totalBytes += bytes.size();
    if (report) ReportTrack(argv[arg], samples, bytes);
  }
  if (!renderedFolder.empty()) RemoveStaleStreams(renderedFolder, written);
  if (report) std::printf("%-12s %7.2f s %9zu bytes\n", "all", totalSeconds, totalBytes);
  ShutdownMedia();
  return 0;
}
