// The sound library, libZelkan.so: the game's sound effects and music behind seven functions
// with C linkage. Devices and buffers are 32-bit handles, 0 meaning none. Every function
// accepts 0, an unknown handle or a freed one, and then does nothing and returns 0.
#pragma once

#include <stddef.h>
#include <stdint.h>

#define ZELKAN_SOUND_API __attribute__((visibility("default")))

#ifdef __cplusplus
extern "C" {
#endif

// Opens the sound output. The window handle is accepted for the caller's convenience and not
// used. Returns the device handle, or 0 when there is no sound output (or one is already open).
ZELKAN_SOUND_API int32_t dsInitialize(int32_t windowHandle);

// Makes a buffer from a whole wave file held in memory: `length` bytes from `wave`, header
// included. The samples are copied, so the caller may release its bytes on return. `copies`
// (1 to 32) is how many times the buffer can sound at once. Returns the buffer handle, or 0
// when the device is unknown, the count is out of range or the file is not one this library
// plays safely (only bytes inside the given length are ever read).
ZELKAN_SOUND_API int32_t dsCreateDSB(int32_t device, const void* wave, size_t length,
                                     int32_t copies);

// Starts the buffer once and returns at once; other sounds go on. When all its copies are
// sounding, the one started longest ago starts over. Returns 1 when it started.
ZELKAN_SOUND_API int32_t dsPlay(int32_t buffer);

// Starts the buffer repeating until dsStop; nothing changes when it is repeating already.
ZELKAN_SOUND_API int32_t dsPlayLooping(int32_t buffer);

// Silences every copy of the buffer.
ZELKAN_SOUND_API int32_t dsStop(int32_t buffer);

// Silences and releases the buffer; its handle is unknown from then on.
ZELKAN_SOUND_API int32_t dsFree(int32_t buffer);

// Releases every buffer of the device and closes the sound output.
ZELKAN_SOUND_API int32_t dsTerminate(int32_t device);

#ifdef __cplusplus
}
#endif
