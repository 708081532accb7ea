#include "bench/soak/soak_run.h"

#include <fstream>
#include <iterator>
#include <ostream>
#include <streambuf>

#include "cli/backup_command.h"
#include "cli/flash_command.h"
#include "cli/verify_command.h"
#include "driver/adapter_queries.h"
#include "driver/link_state.h"
#include "driver/rom_size.h"
#include "flash/run_state.h"
#include "platform/device.h"
#include "platform/host_lock.h"
#include "sim/simulator.h"

namespace tarvex::soak {

namespace {

constexpr int BackupNotTheRom = -1;

// Output nobody reads.
class NullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
};

std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

// A verify compares against a chip that already holds the image as a flash programs it.
void PutFlashedImage(const SoakCase& c, const std::string& romPath) {
    std::vector<uint8_t> chip = FlashedImage(c);
    chip.resize(sim::ChipModelSize(c.chip), 0xFF);
    WriteBytes(romPath, chip);
}

int RunOperation(const SoakCase& c, const std::string& folder, sim::Simulator& simulator) {
    NullBuffer nothing;
    std::ostream out(&nothing);
    const std::string image = folder + "/image.rom";
    const std::string backup = folder + "/backup.rom";
    switch (c.operation) {
    case Operation::Flash: {
        cli::FlashRequest request;
        request.adapter = 0;
        request.image = image;
        request.always = true;  // every run programs, even over the same image
        return cli::RunFlash(request, {}, out, out);
    }
    case Operation::Verify:
        return cli::RunVerify(0, image, out, out);
    case Operation::Backup:
        break;
    }
    const int status = cli::RunBackup(uint32_t{0}, backup, out, out);
    if (status != 0) return status;
    const std::vector<uint8_t> saved = ReadBytes(backup), chip = simulator.ChipContents(0);
    // A chip smaller than the adapter's ROM appears again and again across it.
    bool whole = saved.size() == static_cast<size_t>(RomSize) && !chip.empty();
    for (size_t i = 0; whole && i < saved.size(); ++i) whole = saved[i] == chip[i % chip.size()];
    return whole ? status : BackupNotTheRom;
}

}  // namespace

int RunCase(const SoakCase& c, const std::string& folder) {
    // As in a process of its own: the start values of the module state.
    RomSize = DefaultRomSize;
    ResetFlashRunState();
    ResetDriverLink();
    const std::string romPath = folder + "/chip.rom";
    std::vector<uint8_t> image = FlashedImage(c);
    image.resize(c.imageSize);
    WriteBytes(folder + "/image.rom", image);
    if (c.operation == Operation::Verify) PutFlashedImage(c, romPath);

    std::string error;
    const std::shared_ptr<sim::Simulator> simulator =
        sim::Simulator::Create(CaseRig(c, romPath), error);
    if (!simulator) return -2;
    platform::HostLock lock;
    if (lock.TryAcquire() != platform::HostLockState::Held) return -3;
    platform::InstallDeviceProvider(simulator);
    const int status = RunOperation(c, folder, *simulator);
    platform::InstallDeviceProvider(nullptr);
    ResetDriverLink();
    return status;
}

}  // namespace tarvex::soak
