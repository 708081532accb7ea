#include <algorithm>
#include <cstring>
#include <numeric>
#include <vector>

#include "driver/rom_size.h"
#include "flash/image_checksum.h"
#include "fuzz_entries.h"
#include "fuzz_support.h"
#include "image/image_loader.h"
#include "image/rom_layout.h"

namespace tarvex::fuzz {

namespace {

void CheckBuffer(const LoadedImage& image, const uint8_t* data, size_t size) {
    const auto length = static_cast<size_t>(image.length);
    FuzzCheck(image.fileSize == static_cast<int64_t>(size), "the file's size is recorded");
    FuzzCheck(length >= size && length >= static_cast<size_t>(DefaultRomSize),
              "the buffer holds the whole file and at least the default ROM size");
    FuzzCheck(length == static_cast<size_t>(DefaultRomSize) || length % 1024 == 0,
              "a raised buffer length is a multiple of 1024");
    FuzzCheck(length == static_cast<size_t>(RomSize), "the buffer is RomSize long");
    FuzzCheck(std::memcmp(image.bytes.get(), data, size) == 0, "the file's bytes come first");
    static const std::vector<uint8_t> zeros(DefaultRomSize, 0);
    FuzzCheck(length - size <= zeros.size() &&
                  std::memcmp(image.bytes.get() + size, zeros.data(), length - size) == 0,
              "a zero tail follows them");
}

// Only the last byte of the declared range, as far as the buffer goes, may change.
void CheckChecksumFix(uint8_t* image, size_t length) {
    const std::vector<uint8_t> before(image, image + length);
    FixImageChecksum(image, length);
    const size_t summed = std::min<size_t>(image[RomLengthOffset] * RomLengthUnit, length);
    const size_t adjusted = summed == 0 ? 0 : summed - 1;
    FuzzCheck(std::memcmp(image, before.data(), adjusted) == 0 &&
                  std::memcmp(image + adjusted + 1, before.data() + adjusted + 1,
                              length - adjusted - 1) == 0,
              "the fix-up changes no byte but the declared range's last");
    const bool efi = image[4] == 0xF1 && image[5] == 0x0E && image[6] == 0 && image[7] == 0;
    if (efi || summed == 0) {
        FuzzCheck(image[adjusted] == before[adjusted], "an EFI or empty image is left as it is");
        return;
    }
    FuzzCheck(std::accumulate(image, image + summed, 0) % 256 == 0,
              "the declared range, as far as the buffer goes, sums to 0");
}

}  // namespace

int FuzzImageLoad(const uint8_t* data, size_t size) {
    ResetProcessState();
    LoadedImage image;
    FlashStatus status;
    {
        MemoryFile file(data, size);
        status = LoadImageFile(file.Fd(), image);
    }
    const bool signature =
        size >= 4 && data[0] == RomSignatureByte0 && data[1] == RomSignatureByte1;
    const bool whole = size >= 4 && size_t{data[RomLengthOffset]} * RomLengthUnit <= size;
    FuzzCheck((status == StatusOk) == (signature && whole),
              "exactly the files with the signature that hold their declared length load");
    if (status != StatusOk) return 0;
    CheckBuffer(image, data, size);
    const auto length = static_cast<size_t>(image.length);
    PciIdentity identity = 0;
    const size_t field = static_cast<size_t>(image.bytes[24] | image.bytes[25] << 8) + 4;
    FuzzCheck(ReadImageIdentity(image.bytes.get(), length, &identity) == (field + 4 <= length),
              "the identity is read exactly when it lies inside the buffer");
    CheckChecksumFix(image.bytes.get(), length);
    return 0;
}

}  // namespace tarvex::fuzz
