// The rules of the plug-in's private device-mode block.
#include "driverui/private_devmode.h"

#include <algorithm>
#include <cstring>

namespace {

void SetHeader(PrivateDevmode* block) {
    block->header.dwSize = kPrivateDevmodeSize;
    block->header.dwSignature = kPrivateDevmodeSignature;
    block->header.dwVersion = kPrivateDevmodeVersion;
}

}  // namespace

void SetDefaultPrivateDevmode(PrivateDevmode* block) {
    block->dwPrivate1 = 0;
    block->dwPrivate2 = 0;
    SetHeader(block);
}

void ConvertPrivateDevmode(const PrivateDevmode* input, PrivateDevmode* output) {
    if (input == nullptr || output == nullptr) return;
    output->dwPrivate1 = 0;
    output->dwPrivate2 = 0;
    if (input->header.dwSignature == output->header.dwSignature) {
        // Both sizes come from stored data that may be damaged; this module only ever has
        // its own 20-byte block on either side, so that is the most it copies.
        const DWORD bytes =
            std::min({input->header.dwSize, output->header.dwSize, kPrivateDevmodeSize});
        std::memmove(output, input, bytes);
    } else {
        output->header.dwSignature = kPrivateDevmodeSignature;
    }
    output->header.dwVersion = kPrivateDevmodeVersion;
    output->header.dwSize = kPrivateDevmodeSize;
}

void ValidatePrivateDevmode(PrivateDevmode* block) {
    if (block == nullptr) return;
    SetHeader(block);
    if (block->dwPrivate1 > kPrivateValueMax) block->dwPrivate1 = 0;
    if (block->dwPrivate2 > kPrivateValueMax) block->dwPrivate2 = 0;
}
