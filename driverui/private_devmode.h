// The plug-in's private device-mode block: its stored layout and the rules that turn a
// block from the host into a valid one.
#pragma once

#include <windows.h>

#include <cstddef>

#include "driverui/oem_interfaces.h"

// The host stores this block with the printer's and the documents' device settings, so its
// layout is a stored format: 20 bytes, little-endian.
struct PrivateDevmode {
    OEM_DMEXTRAHEADER header;
    DWORD dwPrivate1;
    DWORD dwPrivate2;
};
static_assert(sizeof(PrivateDevmode) == 20, "the stored block is 20 bytes");
static_assert(offsetof(PrivateDevmode, dwPrivate1) == 12 &&
                  offsetof(PrivateDevmode, dwPrivate2) == 16,
              "the stored block's field offsets");

inline constexpr DWORD kPrivateDevmodeSize = sizeof(PrivateDevmode);
inline constexpr DWORD kPrivateDevmodeSignature = 0x4D534654;  // bytes 54 46 53 4D
inline constexpr DWORD kPrivateDevmodeVersion = 1;
inline constexpr DWORD kPrivateValueMax = 100;

// Writes the defaults into `block`.
void SetDefaultPrivateDevmode(PrivateDevmode* block);

// Carries the host's `input` block over into `output`. The input's values are taken only
// when its signature is the output's; never more than one 20-byte block is read or
// written, whatever either header claims. Does nothing when either block is null.
void ConvertPrivateDevmode(const PrivateDevmode* input, PrivateDevmode* output);

// Mends the header and resets a value above 100 to 0. Does nothing for a null block.
void ValidatePrivateDevmode(PrivateDevmode* block);
