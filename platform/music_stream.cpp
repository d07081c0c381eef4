// The stream format of the music rendered ahead.
//
// Sections: format; the transform; the range coder; the coefficient models; encoding; decoding.
//
// Perceptual codecs spend their bits where the ear listens and let the error grow elsewhere: in
// five megabytes Vorbis keeps the eight shipped tracks only 14 to 22 dB from the synthesizer's
// samples, and it needs three times the size for 30 dB. This format spends them on the error.
// The music is split into mid and side, each into half-overlapping blocks of a sine-windowed
// MDCT, a transform that keeps energy, so coding noise in the coefficients is the same noise in
// the samples. Each block takes the coarsest quantizer step that keeps it MusicStreamSignalToNoise
// decibels from its samples, and the coefficients are range-coded with adaptive binary models
// whose contexts are their neighbours in frequency and in the block before.
#include "platform/music_stream.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstring>
#include <memory>

namespace {

// ---- Format -----------------------------------------------------------------------------------
//
// "PMUS", the format's version, the number of frames (32 bits, little-endian), then the range
// coder's bytes: for each block its quantizer step, then for mid and side the number of
// coefficients coded and the coefficients. Block b spans the frames from (b - 1) * BlockFrames to
// (b + 1) * BlockFrames, so the first block only ramps in, and each later one completes
// BlockFrames frames.

constexpr unsigned char Magic[] = {'P', 'M', 'U', 'S'};
constexpr unsigned char FormatVersion = 1;
constexpr int HeaderBytes = 9;
constexpr int StreamChannels = 2;         // mid and side of the interleaved left and right
constexpr int BlockFrames = 1024;         // coefficients a block, frames each block completes
constexpr int HalfBlock = BlockFrames / 2;
constexpr int StepsPerOctave = 16;
constexpr int StepBits = 8;               // step index 0..255: steps 1 to 2^16
constexpr int StepCount = 1 << StepBits;
constexpr int CountBits = 11;             // coefficients coded, 0..BlockFrames
// Quantizing rounds a little towards zero: fewer bits at the same noise, the step search pays it.
constexpr float Rounding = 0.4f;
constexpr float SampleLimit = 32767.0f;

// ---- The transform ----------------------------------------------------------------------------

// Complex values are kept as separate arrays of real and imaginary parts: plain loops, no
// library complex products with their checks for infinities.
struct TransformTables {
  std::array<float, 2 * BlockFrames> window;          // sine window
  // The DCT-IV goes through a half-size FFT between two rows of twiddles; the scale that makes
  // the transform keep energy rides on the second.
  std::array<float, HalfBlock> preReal, preImaginary, postReal, postImaginary;
  std::array<float, HalfBlock> fftReal, fftImaginary; // the FFT stages' twiddles, one after another
  std::array<int, HalfBlock> bitReversed;
  std::array<float, StepCount> step;                  // quantizer step of each step index
};

const TransformTables& Tables() {
  static const TransformTables tables = [] {
    TransformTables t{};
    const double pi = std::acos(-1.0);
    for (int n = 0; n < 2 * BlockFrames; ++n)
      t.window[n] = static_cast<float>(std::sin(pi * (n + 0.5) / (2 * BlockFrames)));
    const double scale = std::sqrt(2.0 / BlockFrames);
    for (int n = 0; n < HalfBlock; ++n) {
      const double pre = -pi * (4 * n + 1) / (4 * BlockFrames), post = -pi * n / BlockFrames;
      t.preReal[n] = static_cast<float>(std::cos(pre));
      t.preImaginary[n] = static_cast<float>(std::sin(pre));
      t.postReal[n] = static_cast<float>(scale * std::cos(post));
      t.postImaginary[n] = static_cast<float>(scale * std::sin(post));
    }
    for (int half = 1, at = 0; half < HalfBlock; at += half, half <<= 1) {
      for (int j = 0; j < half; ++j) {
        t.fftReal[at + j] = static_cast<float>(std::cos(-pi * j / half));
        t.fftImaginary[at + j] = static_cast<float>(std::sin(-pi * j / half));
      }
    }
    for (int n = 0, reversed = 0; n < HalfBlock; ++n) {
      t.bitReversed[n] = reversed;
      int bit = HalfBlock >> 1;
      for (; reversed & bit; bit >>= 1) reversed ^= bit;
      reversed ^= bit;
    }
    for (int s = 0; s < StepCount; ++s)
      t.step[s] = static_cast<float>(std::exp2(double(s) / StepsPerOctave));
    return t;
  }();
  return tables;
}

void TransformFft(std::array<float, HalfBlock>& real, std::array<float, HalfBlock>& imaginary) {
  const TransformTables& t = Tables();
  for (int n = 0; n < HalfBlock; ++n) {
    if (n < t.bitReversed[n]) {
      std::swap(real[n], real[t.bitReversed[n]]);
      std::swap(imaginary[n], imaginary[t.bitReversed[n]]);
    }
  }
  for (int half = 1, at = 0; half < HalfBlock; at += half, half <<= 1) {
    const float* twiddleReal = t.fftReal.data() + at;
    const float* twiddleImaginary = t.fftImaginary.data() + at;
    for (int start = 0; start < HalfBlock; start += 2 * half) {
      float* lowReal = real.data() + start;
      float* lowImaginary = imaginary.data() + start;
      float* highReal = lowReal + half;
      float* highImaginary = lowImaginary + half;
      for (int j = 0; j < half; ++j) {
        const float oddReal = highReal[j] * twiddleReal[j] - highImaginary[j] * twiddleImaginary[j];
        const float oddImaginary =
            highReal[j] * twiddleImaginary[j] + highImaginary[j] * twiddleReal[j];
        highReal[j] = lowReal[j] - oddReal;
        highImaginary[j] = lowImaginary[j] - oddImaginary;
        lowReal[j] += oddReal;
        lowImaginary[j] += oddImaginary;
      }
    }
  }
}

// The DCT-IV, scaled to keep energy (it is then its own inverse).
void DctIv(const float* in, float* out) {
  const TransformTables& t = Tables();
  std::array<float, HalfBlock> real, imaginary;
  for (int n = 0; n < HalfBlock; ++n) {
    const float a = in[2 * n], b = in[BlockFrames - 1 - 2 * n];
    real[n] = a * t.preReal[n] - b * t.preImaginary[n];
    imaginary[n] = a * t.preImaginary[n] + b * t.preReal[n];
  }
  TransformFft(real, imaginary);
  for (int k = 0; k < HalfBlock; ++k) {
    out[2 * k] = real[k] * t.postReal[k] - imaginary[k] * t.postImaginary[k];
    out[BlockFrames - 1 - 2 * k] = -(real[k] * t.postImaginary[k] + imaginary[k] * t.postReal[k]);
  }
}

// Two blocks of samples to a block of coefficients.
void ForwardMdct(const float* samples, float* coefficients) {
  const TransformTables& t = Tables();
  std::array<float, 2 * BlockFrames> windowed;
  for (int n = 0; n < 2 * BlockFrames; ++n) windowed[n] = samples[n] * t.window[n];
  std::array<float, BlockFrames> folded;
  constexpr int Three = 3 * HalfBlock;
  for (int n = 0; n < HalfBlock; ++n) folded[n] = -windowed[Three - 1 - n] - windowed[Three + n];
  for (int n = HalfBlock; n < BlockFrames; ++n)
    folded[n] = windowed[n - HalfBlock] - windowed[Three - 1 - n];
  DctIv(folded.data(), coefficients);
}

// A block of coefficients to two blocks of windowed samples, to be added to the neighbours'.
void InverseMdct(const float* coefficients, float* samples) {
  const TransformTables& t = Tables();
  std::array<float, BlockFrames> folded;
  DctIv(coefficients, folded.data());
  constexpr int Three = 3 * HalfBlock;
  for (int n = 0; n < HalfBlock; ++n) {
    samples[Three - 1 - n] = -folded[n];
    samples[Three + n] = -folded[n];
  }
  for (int n = HalfBlock; n < BlockFrames; ++n) {
    samples[n - HalfBlock] = folded[n];
    samples[Three - 1 - n] = -folded[n];
  }
  for (int n = 0; n < 2 * BlockFrames; ++n) samples[n] *= t.window[n];
}

// ---- The range coder --------------------------------------------------------------------------
//
// A binary range coder with adaptive probabilities, as in LZMA: 32-bit range, 11-bit
// probabilities of a zero, carries kept back in a cache byte.

using Probability = uint16_t;
constexpr int ProbabilityBits = 11;
constexpr Probability ProbabilityOne = 1 << ProbabilityBits;
constexpr Probability ProbabilityHalf = ProbabilityOne / 2;
constexpr int AdaptShift = 5;
constexpr uint32_t RangeTop = 1u << 24;
constexpr int FlushBytes = 5;

struct RangeEncoder {
  uint64_t low = 0;
  uint32_t range = 0xFFFFFFFFu;
  uint8_t cache = 0;
  uint64_t cacheSize = 1;
  std::string bytes;
};

void ShiftLow(RangeEncoder& e) {
  if (static_cast<uint32_t>(e.low) < 0xFF000000u || (e.low >> 32) != 0) {
    const auto carry = static_cast<uint8_t>(e.low >> 32);
    uint8_t pending = e.cache;
    do {
      e.bytes.push_back(static_cast<char>(static_cast<uint8_t>(pending + carry)));
      pending = 0xFF;
    } while (--e.cacheSize != 0);
    e.cache = static_cast<uint8_t>(e.low >> 24);
  }
  ++e.cacheSize;
  e.low = (e.low & 0x00FFFFFFu) << 8;
}

void EncodeBit(RangeEncoder& e, Probability& zero, int bit) {
  const uint32_t bound = (e.range >> ProbabilityBits) * zero;
  if (bit == 0) {
    e.range = bound;
    zero += (ProbabilityOne - zero) >> AdaptShift;
  } else {
    e.low += bound;
    e.range -= bound;
    zero -= zero >> AdaptShift;
  }
  while (e.range < RangeTop) {
    e.range <<= 8;
    ShiftLow(e);
  }
}

// Bits of even odds, highest first.
void EncodeDirect(RangeEncoder& e, uint32_t value, int bits) {
  for (int bit = bits - 1; bit >= 0; --bit) {
    e.range >>= 1;
    if ((value >> bit) & 1) e.low += e.range;
    while (e.range < RangeTop) {
      e.range <<= 8;
      ShiftLow(e);
    }
  }
}

void FinishRangeEncoder(RangeEncoder& e) {
  for (int i = 0; i < FlushBytes; ++i) ShiftLow(e);
}

struct RangeDecoder {
  const unsigned char* bytes = nullptr;
  size_t size = 0;
  size_t at = 0;            // may run past size on a damaged stream: zeros are read there
  uint32_t range = 0xFFFFFFFFu;
  uint32_t code = 0;
};

uint8_t NextByte(RangeDecoder& d) {
  const uint8_t byte = d.at < d.size ? d.bytes[d.at] : 0;
  ++d.at;
  return byte;
}

void StartRangeDecoder(RangeDecoder& d, const unsigned char* bytes, size_t size) {
  d = RangeDecoder{bytes, size};
  for (int i = 0; i < FlushBytes; ++i) d.code = (d.code << 8) | NextByte(d);
}

int DecodeBit(RangeDecoder& d, Probability& zero) {
  const uint32_t bound = (d.range >> ProbabilityBits) * zero;
  int bit = 0;
  if (d.code < bound) {
    d.range = bound;
    zero += (ProbabilityOne - zero) >> AdaptShift;
  } else {
    d.code -= bound;
    d.range -= bound;
    zero -= zero >> AdaptShift;
    bit = 1;
  }
  while (d.range < RangeTop) {
    d.range <<= 8;
    d.code = (d.code << 8) | NextByte(d);
  }
  return bit;
}

uint32_t DecodeDirect(RangeDecoder& d, int bits) {
  uint32_t value = 0;
  for (int i = 0; i < bits; ++i) {
    d.range >>= 1;
    int bit = 0;
    if (d.code >= d.range) {
      d.code -= d.range;
      bit = 1;
    }
    value = (value << 1) | static_cast<uint32_t>(bit);
    while (d.range < RangeTop) {
      d.range <<= 8;
      d.code = (d.code << 8) | NextByte(d);
    }
  }
  return value;
}

// ---- The coefficient models -------------------------------------------------------------------
//
// A coefficient's context is its frequency band and the size of its neighbours: the two below it
// in this block and the three around it in the block before. Both sides compute them from the
// quantized values alone, through the same functions.

constexpr int BandClasses = 11;           // by octave of the coefficient's index
constexpr int NeighbourClasses = 10;
constexpr int MagnitudeSteps = 14;        // magnitudes above this go as an Elias gamma code
constexpr int NeighbourCap = 15;
constexpr int MaxEscapeBits = 24;

struct CoefficientModels {
  std::array<Probability, StepCount> stepChange;                     // bit tree
  std::array<std::array<Probability, 1 << CountBits>, StreamChannels> count;   // bit tree
  std::array<std::array<std::array<Probability, NeighbourClasses>, BandClasses>, StreamChannels>
      zero;
  std::array<std::array<std::array<Probability, MagnitudeSteps>, NeighbourClasses>,
             StreamChannels>
      above;   // the magnitude is above 1, 2, ...
};

void ResetModels(CoefficientModels& models) {
  models.stepChange.fill(ProbabilityHalf);
  for (auto& tree : models.count) tree.fill(ProbabilityHalf);
  for (auto& channel : models.zero)
    for (auto& band : channel) band.fill(ProbabilityHalf);
  for (auto& channel : models.above)
    for (auto& neighbours : channel) neighbours.fill(ProbabilityHalf);
}

// The capped sizes of a block's quantized coefficients, with a zero past the end.
using Magnitudes = std::array<uint8_t, BlockFrames + 1>;

struct ContextTables {
  std::array<uint8_t, BlockFrames> band;                  // octave of each coefficient's index
  std::array<uint8_t, 7 * NeighbourCap + 1> neighbours;   // class of each neighbour sum
};

const ContextTables& Contexts() {
  static const ContextTables tables = [] {
    ContextTables t{};
    for (int k = 0; k < BlockFrames; ++k) {
      int band = 0;
      while ((2 << band) <= k + 1 && band < BandClasses - 1) ++band;
      t.band[k] = static_cast<uint8_t>(band);
    }
    constexpr int Limits[NeighbourClasses - 1] = {0, 1, 2, 4, 6, 9, 14, 22, 36};
    for (int sum = 0; sum < static_cast<int>(t.neighbours.size()); ++sum) {
      int neighbourClass = 0;
      while (neighbourClass < NeighbourClasses - 1 && sum > Limits[neighbourClass])
        ++neighbourClass;
      t.neighbours[sum] = static_cast<uint8_t>(neighbourClass);
    }
    return t;
  }();
  return tables;
}

// Follows a block's coefficients in order and gives each its neighbour class: twice the size of
// the one below plus the one below that, plus the three around it in the block before, the
// middle one twice.
struct Neighbours {
  std::array<uint8_t, BlockFrames> earlier;
  int below = 0;
  int twoBelow = 0;

  explicit Neighbours(const Magnitudes& before) {
    earlier[0] = static_cast<uint8_t>(2 * before[0] + before[1]);
    for (int k = 1; k < BlockFrames; ++k)
      earlier[k] = static_cast<uint8_t>(before[k - 1] + 2 * before[k] + before[k + 1]);
  }
  int ClassAt(int k) const { return Contexts().neighbours[2 * below + twoBelow + earlier[k]]; }
  // The coefficient just coded; returns its capped size.
  uint8_t Take(int value) {
    twoBelow = below;
    below = std::min(std::abs(value), NeighbourCap);
    return static_cast<uint8_t>(below);
  }
};

template <size_t Size>
void EncodeTree(RangeEncoder& e, std::array<Probability, Size>& tree, uint32_t value, int bits) {
  uint32_t node = 1;
  for (int bit = bits - 1; bit >= 0; --bit) {
    const int b = static_cast<int>((value >> bit) & 1);
    EncodeBit(e, tree[node], b);
    node = (node << 1) | static_cast<uint32_t>(b);
  }
}

template <size_t Size>
uint32_t DecodeTree(RangeDecoder& d, std::array<Probability, Size>& tree, int bits) {
  uint32_t node = 1;
  for (int i = 0; i < bits; ++i)
    node = (node << 1) | static_cast<uint32_t>(DecodeBit(d, tree[node]));
  return node - (1u << bits);
}

void EncodeCoefficient(RangeEncoder& e, CoefficientModels& models, int channel, int band,
                       int neighbours, int value) {
  EncodeBit(e, models.zero[channel][band][neighbours], value != 0);
  if (value == 0) return;
  EncodeDirect(e, value < 0, 1);
  const int magnitude = std::abs(value);
  auto& above = models.above[channel][neighbours];
  for (int step = 1; step <= MagnitudeSteps; ++step) {
    EncodeBit(e, above[step - 1], magnitude > step);
    if (magnitude == step) return;
  }
  const auto rest = static_cast<uint32_t>(magnitude - MagnitudeSteps);   // 1 or more
  int bits = 0;
  while ((rest >> bits) > 1) ++bits;
  for (int i = 0; i < bits; ++i) EncodeDirect(e, 1, 1);
  EncodeDirect(e, 0, 1);
  EncodeDirect(e, rest, bits);   // the leading 1 is implied
}

int DecodeCoefficient(RangeDecoder& d, CoefficientModels& models, int channel, int band,
                      int neighbours) {
  if (DecodeBit(d, models.zero[channel][band][neighbours]) == 0) return 0;
  const bool negative = DecodeDirect(d, 1) != 0;
  auto& above = models.above[channel][neighbours];
  int magnitude = 1;
  while (magnitude <= MagnitudeSteps && DecodeBit(d, above[magnitude - 1]) != 0) ++magnitude;
  if (magnitude > MagnitudeSteps) {
    int bits = 0;
    while (bits < MaxEscapeBits && DecodeDirect(d, 1) != 0) ++bits;
    const uint32_t rest = (1u << bits) | DecodeDirect(d, bits);
    magnitude = MagnitudeSteps + static_cast<int>(rest);
  }
  return negative ? -magnitude : magnitude;
}

int Quantize(float value, float step) {
  const float scaled = std::abs(value) / step + Rounding;
  const int magnitude = static_cast<int>(std::min(scaled, float(1 << MaxEscapeBits)));
  return value < 0 ? -magnitude : magnitude;
}

// ---- Encoding ---------------------------------------------------------------------------------

// Coding noise of the block's coefficients at a step.
double NoiseAt(const std::array<std::array<float, BlockFrames>, StreamChannels>& coefficients,
               float step) {
  double noise = 0;
  for (const auto& channel : coefficients) {
    for (float value : channel) {
      const double error = value - Quantize(value, step) * double(step);
      noise += error * error;
    }
  }
  return noise;
}

// The coarsest step that keeps the block within the ratio; the finest for a silent block.
int ChooseStep(const std::array<std::array<float, BlockFrames>, StreamChannels>& coefficients) {
  double energy = 0;
  for (const auto& channel : coefficients)
    for (float value : channel) energy += double(value) * value;
  const double allowed = energy / std::pow(10.0, MusicStreamSignalToNoise / 10);
  const TransformTables& t = Tables();
  int lowest = 0, highest = StepCount - 1;   // the answer lies in [lowest, highest]
  while (lowest < highest) {
    const int middle = (lowest + highest + 1) / 2;
    if (NoiseAt(coefficients, t.step[middle]) <= allowed) {
      lowest = middle;
    } else {
      highest = middle - 1;
    }
  }
  return lowest;
}

}  // namespace

std::string EncodeMusicStream(const std::vector<int16_t>& samples) {
  const auto frames = static_cast<uint32_t>(samples.size() / StreamChannels);
  const int blocks = static_cast<int>((frames + BlockFrames - 1) / BlockFrames) + 1;
  // Mid and side, a block of silence before the first frame and after the last.
  std::array<std::vector<float>, StreamChannels> signal;
  for (auto& channel : signal) channel.assign(size_t(blocks + 1) * BlockFrames, 0.0f);
  for (uint32_t i = 0; i < frames; ++i) {
    const float left = samples[2 * i], right = samples[2 * i + 1];
    signal[0][BlockFrames + i] = (left + right) / 2;
    signal[1][BlockFrames + i] = (left - right) / 2;
  }

  RangeEncoder e;
  auto models = std::make_unique<CoefficientModels>();
  ResetModels(*models);
  std::array<Magnitudes, StreamChannels> before{};
  std::array<std::array<float, BlockFrames>, StreamChannels> coefficients;
  std::array<int, BlockFrames> quantized;
  int lastStep = 0;
  for (int block = 0; block < blocks; ++block) {
    for (int c = 0; c < StreamChannels; ++c)
      ForwardMdct(signal[c].data() + size_t(block) * BlockFrames, coefficients[c].data());
    const int step = ChooseStep(coefficients);
    EncodeTree(e, models->stepChange, static_cast<uint32_t>(step - lastStep) & (StepCount - 1),
               StepBits);
    lastStep = step;
    for (int c = 0; c < StreamChannels; ++c) {
      int count = 0;
      for (int k = 0; k < BlockFrames; ++k) {
        quantized[k] = Quantize(coefficients[c][k], Tables().step[step]);
        if (quantized[k] != 0) count = k + 1;
      }
      EncodeTree(e, models->count[c], static_cast<uint32_t>(count), CountBits);
      Neighbours neighbours(before[c]);
      before[c].fill(0);
      for (int k = 0; k < count; ++k) {
        EncodeCoefficient(e, *models, c, Contexts().band[k], neighbours.ClassAt(k), quantized[k]);
        before[c][k] = neighbours.Take(quantized[k]);
      }
    }
  }
  FinishRangeEncoder(e);

  std::string stream(reinterpret_cast<const char*>(Magic), sizeof Magic);
  stream.push_back(static_cast<char>(FormatVersion));
  for (int shift = 0; shift < 32; shift += 8) stream.push_back(static_cast<char>(frames >> shift));
  return stream + e.bytes;
}

// ---- Decoding ---------------------------------------------------------------------------------

struct MusicStream {
  std::vector<unsigned char> bytes;
  uint32_t frames = 0;                 // in the stream
  uint32_t framesDone = 0;             // completed by the blocks decoded so far
  RangeDecoder decoder;
  CoefficientModels models;
  int step = 0;
  std::array<Magnitudes, StreamChannels> before{};    // the last block's, for the contexts
  std::array<std::array<float, BlockFrames>, StreamChannels> overlap{};   // the last block's tail
  std::array<int16_t, BlockFrames * StreamChannels> ready{};              // decoded, not taken
  int readyAt = 0;
  int readyCount = 0;
  std::atomic<bool> ended{false};      // read by other threads
};

namespace {

int16_t ToSample(float value) {
  if (!(value == value)) return 0;   // a damaged stream may reach infinities and NaN
  const float clamped = std::clamp(value, -SampleLimit - 1, SampleLimit);
  return static_cast<int16_t>(clamped + (clamped < 0 ? -0.5f : 0.5f));
}

// A block's samples of mid and side, windowed, to be added to its neighbours'.
using DecodedBlock = std::array<std::array<float, 2 * BlockFrames>, StreamChannels>;

// Decodes the next block; its first half, with the last block's tail, completes frames.
void DecodeBlock(MusicStream& s, DecodedBlock& out) {
  s.step = static_cast<int>((s.step + DecodeTree(s.decoder, s.models.stepChange, StepBits)) &
                            (StepCount - 1));
  const float step = Tables().step[s.step];
  const ContextTables& contexts = Contexts();
  std::array<float, BlockFrames> coefficients;
  for (int c = 0; c < StreamChannels; ++c) {
    const int count = std::min<int>(
        BlockFrames, static_cast<int>(DecodeTree(s.decoder, s.models.count[c], CountBits)));
    Neighbours neighbours(s.before[c]);
    Magnitudes& before = s.before[c];
    for (int k = 0; k < count; ++k) {
      const int value = DecodeCoefficient(s.decoder, s.models, c, contexts.band[k],
                                          neighbours.ClassAt(k));
      coefficients[k] = value * step;
      before[k] = neighbours.Take(value);
    }
    std::fill(coefficients.begin() + count, coefficients.end(), 0.0f);
    std::fill(before.begin() + count, before.end(), 0);
    InverseMdct(coefficients.data(), out[c].data());
  }
}

// The next frames into ready; false at the end of the stream or of its bytes.
bool DecodeFrames(MusicStream& s) {
  if (s.framesDone >= s.frames || s.decoder.at > s.decoder.size + FlushBytes) return false;
  DecodedBlock block;
  DecodeBlock(s, block);
  const int count = static_cast<int>(std::min<uint32_t>(BlockFrames, s.frames - s.framesDone));
  for (int i = 0; i < count; ++i) {
    const float mid = s.overlap[0][i] + block[0][i];
    const float side = s.overlap[1][i] + block[1][i];
    s.ready[2 * i] = ToSample(mid + side);
    s.ready[2 * i + 1] = ToSample(mid - side);
  }
  for (int c = 0; c < StreamChannels; ++c)
    std::copy(block[c].begin() + BlockFrames, block[c].end(), s.overlap[c].begin());
  s.framesDone += static_cast<uint32_t>(count);
  s.readyAt = 0;
  s.readyCount = count;
  return true;
}

}  // namespace

MusicStream* OpenMusicStream(std::vector<unsigned char> bytes) {
  if (bytes.size() < HeaderBytes ||
      !std::equal(std::begin(Magic), std::end(Magic), bytes.begin()) ||
      bytes[sizeof Magic] != FormatVersion)
    return nullptr;
  auto* stream = new MusicStream;
  stream->bytes = std::move(bytes);
  for (int i = 0; i < 4; ++i)
    stream->frames |= uint32_t{stream->bytes[sizeof Magic + 1 + i]} << (8 * i);
  RewindMusicStream(stream);
  return stream;
}

void CloseMusicStream(MusicStream* stream) { delete stream; }

void RewindMusicStream(MusicStream* stream) {
  MusicStream& s = *stream;
  StartRangeDecoder(s.decoder, s.bytes.data() + HeaderBytes, s.bytes.size() - HeaderBytes);
  ResetModels(s.models);
  s.step = 0;
  s.before = {};
  s.overlap = {};
  s.framesDone = 0;
  s.readyAt = s.readyCount = 0;
  s.ended = false;
  // The first block only ramps in: its tail is the overlap of the first frames.
  DecodedBlock block;
  DecodeBlock(s, block);
  for (int c = 0; c < StreamChannels; ++c)
    std::copy(block[c].begin() + BlockFrames, block[c].end(), s.overlap[c].begin());
}

int ReadMusicStream(MusicStream* stream, int16_t* samples, int frames) {
  MusicStream& s = *stream;
  int done = 0;
  while (done < frames) {
    if (s.readyAt == s.readyCount && (s.ended || !DecodeFrames(s))) {
      s.ended = true;
      break;
    }
    const int count = std::min(frames - done, s.readyCount - s.readyAt);
    std::memcpy(samples + done * StreamChannels, s.ready.data() + s.readyAt * StreamChannels,
                sizeof(int16_t) * count * StreamChannels);
    s.readyAt += count;
    done += count;
  }
  if (s.readyAt == s.readyCount && s.framesDone >= s.frames) s.ended = true;
  std::memset(samples + done * StreamChannels, 0,
              sizeof(int16_t) * (frames - done) * StreamChannels);
  return done;
}

bool IsMusicStreamEnded(const MusicStream* stream) { return stream->ended; }
