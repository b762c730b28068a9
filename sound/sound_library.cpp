// The seven functions over SDL_mixer. All calls come from one thread; SDL mixes in its own.
#include "sound/sound_library.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "sound/wave_file.h"

namespace zelkan {
namespace {

// The output we ask for; SDL converts to whatever the device really takes.
constexpr int outputRate = 44100;
constexpr SDL_AudioFormat outputFormat = AUDIO_S16SYS;
constexpr int outputChannels = 2;
constexpr int outputFrames = 512;  // frames mixed at a time: about 12 ms, so effects start at once

constexpr int maxCopies = 32;
constexpr std::size_t maxBufferBytes = 256u << 20;  // converted samples of one buffer

struct Buffer {
  std::vector<std::uint8_t> samples;  // in the mixer's format; the chunk points into them
  Mix_Chunk* chunk = nullptr;
  std::vector<int> channels;             // one mixer channel per copy
  std::vector<std::uint64_t> startedAt;  // per copy, the start count when it last started
  int loopingCopy = -1;                  // the copy started by dsPlayLooping, if still so
};

struct Library {
  std::int32_t device = 0;
  std::int32_t lastHandle = 0;
  std::map<std::int32_t, Buffer> buffers;
  std::vector<bool> channelTaken;  // mixer channels held by a buffer's copies
  std::uint64_t starts = 0;
  int rate = 0;
  SDL_AudioFormat format = 0;
  int channels = 0;
};

// Never destroyed: a program may end without dsTerminate while SDL is still mixing our samples.
Library& library() {
  static Library* const lib = new Library;
  return *lib;
}

// Handles are never reused, so a freed or closed handle stays unknown.
std::int32_t newHandle(Library& lib) {
  do {
    lib.lastHandle = lib.lastHandle == INT32_MAX ? 1 : lib.lastHandle + 1;
  } while (lib.lastHandle == lib.device || lib.buffers.contains(lib.lastHandle));
  return lib.lastHandle;
}

Buffer* findBuffer(std::int32_t handle) {
  Library& lib = library();
  if (handle == 0 || lib.device == 0) return nullptr;
  const auto it = lib.buffers.find(handle);
  return it == lib.buffers.end() ? nullptr : &it->second;
}

SDL_AudioFormat sdlFormat(int bitsPerSample) {
  switch (bitsPerSample) {
    case 8:
      return AUDIO_U8;
    case 16:
      return AUDIO_S16LSB;
    default:
      return AUDIO_S32LSB;
  }
}

// The wave's samples in the mixer's format, or nothing when SDL cannot convert them or the
// result would be larger than one buffer may be.
std::optional<std::vector<std::uint8_t>> convert(const WaveContent& wave, const Library& lib) {
  const std::size_t inFrame = static_cast<std::size_t>(wave.channels) * (wave.bitsPerSample / 8);
  const std::size_t outFrame =
      static_cast<std::size_t>(lib.channels) * SDL_AUDIO_BITSIZE(lib.format) / 8;
  const std::uint64_t inFrames = wave.bytes / inFrame;
  const std::uint64_t outFrames =
      inFrames * static_cast<std::uint64_t>(lib.rate) / static_cast<std::uint64_t>(wave.sampleRate);
  if (outFrames == 0 || outFrames > maxBufferBytes / outFrame) return std::nullopt;
  const std::size_t outBytes = static_cast<std::size_t>(outFrames) * outFrame;

  const SDL_AudioFormat inFormat = sdlFormat(wave.bitsPerSample);
  SDL_AudioStream* stream =
      SDL_NewAudioStream(inFormat, static_cast<Uint8>(wave.channels), wave.sampleRate, lib.format,
                         static_cast<Uint8>(lib.channels), lib.rate);
  if (stream == nullptr) return std::nullopt;
  // The resampler holds back its last 512 frames (more when it slows the rate down) even when
  // flushed, so silence follows the samples through it and is cut off again afterwards.
  const std::size_t tailFrames = 1024 * (1 + static_cast<std::size_t>(wave.sampleRate / lib.rate));
  const std::vector<std::uint8_t> tail(tailFrames * inFrame, inFormat == AUDIO_U8 ? 0x80 : 0);
  std::vector<std::uint8_t> out;
  out.reserve(outBytes);
  auto drain = [&] {
    std::uint8_t got[1 << 16];
    int n = 0;
    while (out.size() < outBytes && (n = SDL_AudioStreamGet(stream, got, sizeof got)) > 0) {
      out.insert(out.end(), got, got + std::min<std::size_t>(n, outBytes - out.size()));
    }
    return n >= 0;
  };
  auto feed = [&](const std::uint8_t* bytes, std::size_t count) {
    const std::size_t piece = (std::size_t{1} << 16) / inFrame * inFrame;
    for (std::size_t at = 0; at < count; at += piece) {
      const int len = static_cast<int>(std::min(piece, count - at));
      if (SDL_AudioStreamPut(stream, bytes + at, len) != 0 || !drain()) return false;
    }
    return true;
  };
  const bool converted = feed(wave.frames, wave.bytes) && feed(tail.data(), tail.size()) &&
                         SDL_AudioStreamFlush(stream) == 0 && drain();
  SDL_FreeAudioStream(stream);
  if (!converted || out.size() != outBytes) return std::nullopt;
  return out;
}

// `count` free mixer channels, growing the mixer when there are too few; empty on failure.
std::vector<int> takeChannels(Library& lib, int count) {
  std::vector<int> got;
  for (std::size_t i = 0; std::ssize(got) < count; ++i) {
    if (i == lib.channelTaken.size()) lib.channelTaken.push_back(false);
    if (!lib.channelTaken[i]) got.push_back(static_cast<int>(i));
  }
  const int needed = static_cast<int>(lib.channelTaken.size());
  if (Mix_AllocateChannels(-1) < needed && Mix_AllocateChannels(needed) != needed) return {};
  for (int c : got)
    lib.channelTaken[static_cast<std::size_t>(c)] = true;
  return got;
}

void release(Library& lib, Buffer& buffer) {
  Mix_FreeChunk(buffer.chunk);  // halts the channels still playing it
  for (int c : buffer.channels)
    lib.channelTaken[static_cast<std::size_t>(c)] = false;
}

// The copy to start: one that is silent, or else the one started longest ago.
int copyToStart(const Buffer& buffer) {
  int oldest = 0;
  for (int copy = 0; copy < std::ssize(buffer.channels); ++copy) {
    if (Mix_Playing(buffer.channels[copy]) == 0) return copy;
    if (buffer.startedAt[copy] < buffer.startedAt[oldest]) oldest = copy;
  }
  return oldest;
}

std::int32_t start(Buffer& buffer, int copy, int loops) {
  Library& lib = library();
  if (Mix_PlayChannel(buffer.channels[copy], buffer.chunk, loops) < 0) return 0;
  buffer.startedAt[copy] = ++lib.starts;
  buffer.loopingCopy = loops < 0 ? copy : (buffer.loopingCopy == copy ? -1 : buffer.loopingCopy);
  return 1;
}

}  // namespace
}  // namespace zelkan

using namespace zelkan;

extern "C" {

std::int32_t dsInitialize(std::int32_t /*windowHandle*/) {
  Library& lib = library();
  if (lib.device != 0) return 0;
  // Audio brings up SDL's event part, which would otherwise take over SIGINT and SIGTERM.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return 0;
  if (Mix_OpenAudioDevice(outputRate, outputFormat, outputChannels, outputFrames, nullptr, 0) !=
      0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return 0;
  }
  Uint16 format = 0;
  Mix_QuerySpec(&lib.rate, &format, &lib.channels);
  lib.format = format;
  Mix_AllocateChannels(0);  // channels come with the buffers' copies
  lib.channelTaken.clear();
  lib.device = newHandle(lib);
  return lib.device;
}

std::int32_t dsCreateDSB(std::int32_t device, const void* wave, std::size_t length,
                         std::int32_t copies) {
  Library& lib = library();
  if (device == 0 || device != lib.device || copies < 1 || copies > maxCopies) return 0;
  const std::optional<WaveContent> content =
      readWave(static_cast<const std::uint8_t*>(wave), length);
  if (!content) return 0;
  std::optional<std::vector<std::uint8_t>> samples = convert(*content, lib);
  if (!samples) return 0;

  Buffer buffer;
  buffer.samples = std::move(*samples);
  buffer.chunk =
      Mix_QuickLoad_RAW(buffer.samples.data(), static_cast<Uint32>(buffer.samples.size()));
  if (buffer.chunk == nullptr) return 0;
  buffer.channels = takeChannels(lib, copies);
  if (buffer.channels.empty()) {
    Mix_FreeChunk(buffer.chunk);
    return 0;
  }
  buffer.startedAt.assign(buffer.channels.size(), 0);
  const std::int32_t handle = newHandle(lib);
  lib.buffers.emplace(handle, std::move(buffer));
  return handle;
}

std::int32_t dsPlay(std::int32_t buffer) {
  Buffer* b = findBuffer(buffer);
  return b == nullptr ? 0 : start(*b, copyToStart(*b), 0);
}

std::int32_t dsPlayLooping(std::int32_t buffer) {
  Buffer* b = findBuffer(buffer);
  if (b == nullptr) return 0;
  if (b->loopingCopy >= 0 && Mix_Playing(b->channels[b->loopingCopy]) != 0) return 0;
  return start(*b, copyToStart(*b), -1);
}

std::int32_t dsStop(std::int32_t buffer) {
  Buffer* b = findBuffer(buffer);
  if (b == nullptr) return 0;
  for (int c : b->channels)
    Mix_HaltChannel(c);
  b->loopingCopy = -1;
  return 1;
}

std::int32_t dsFree(std::int32_t buffer) {
  Buffer* b = findBuffer(buffer);
  if (b == nullptr) return 0;
  Library& lib = library();
  release(lib, *b);
  lib.buffers.erase(buffer);
  return 1;
}

std::int32_t dsTerminate(std::int32_t device) {
  Library& lib = library();
  if (device == 0 || device != lib.device) return 0;
  Mix_HaltChannel(-1);
  for (auto& [handle, buffer] : lib.buffers)
    release(lib, buffer);
  lib.buffers.clear();
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  lib.device = 0;
  return 1;
}

}  // extern "C"
