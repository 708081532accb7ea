// tarvex-make-sample: writes sample option ROM images for the simulator's adapters.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

#include "driver/adapter_queries.h"
#include "driver/rom_size.h"
#include "platform/pci_pair_text.h"
#include "samples/sample_image.h"
#include "sim/rig.h"

namespace {

constexpr int ExitUsage = 64;
constexpr int ExitFileError = 74;

bool WriteImage(const std::string& path, const std::vector<uint8_t>& image) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(image.data()),
               static_cast<std::streamsize>(image.size()));
    file.close();
    if (!file) {
        std::cerr << "Cannot write " << path << "\n";
        return false;
    }
    return true;
}

std::string Banner(const std::string& name, uint16_t vendor, uint16_t device) {
    char text[160];
    std::snprintf(text, sizeof text, "%s BIOS sample for %04X:%04X, Tarvex Flash Utility\r\n",
                  name.c_str(), vendor, device);
    return text;
}

// One sample per adapter of the default rig: half the ROM of a 64 KiB adapter (so a flash
// programs a zero tail), 64 KiB for a 128 KiB one; RAID adapters get the RAID class code.
int WriteAll(const std::string& folder) {
    for (const tarvex::sim::RigAdapter& adapter : tarvex::sim::DefaultRig().adapters) {
        const tarvex::PciIdentity identity = adapter.vendor | static_cast<uint32_t>(adapter.device)
                                                                  << 16;
        tarvex::SampleSpec spec;
        spec.vendor = adapter.vendor;
        spec.device = adapter.device;
        spec.size = tarvex::RomSizeForIdentity(identity) == 65536 ? 32768 : 65536;
        spec.classCode = adapter.name.find("RAID") != std::string::npos ? tarvex::ClassCodeRaid
                                                                        : tarvex::ClassCodeIde;
        spec.banner = Banner(adapter.name, adapter.vendor, adapter.device);
        const std::string path =
            folder + "/" + tarvex::SampleFileName(adapter.vendor, adapter.device);
        if (!WriteImage(path, tarvex::MakeSampleImage(spec))) return ExitFileError;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Writes sample option ROM images of our own", "tarvex-make-sample"};
    app.set_version_flag("--version", "tarvex-make-sample " TARVEX_VERSION);
    app.allow_windows_style_options(false);  // "/path" is a folder, not an option
    std::string pci, output, all;
    uint32_t size = 32768;
    bool raid = true;
    app.add_option("--pci", pci, "Vendor and device, VVVV:DDDD in hexadecimal");
    app.add_option("--size", size, "Image size in bytes, a multiple of 512 (1024 to 130560)")
        ->default_val(32768);
    app.add_flag("--raid,!--ide", raid, "RAID (01 04 00) or IDE (01 01 00) class code")
        ->default_val(true);
    app.add_option("-o,--output", output, "File to write");
    app.add_option("--all", all, "Write one sample per default-rig adapter into this folder");
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        return app.exit(error) == 0 ? 0 : ExitUsage;
    }
    if (!all.empty()) return WriteAll(all);

    tarvex::SampleSpec spec;
    if (!tarvex::platform::ParsePciPair(pci, spec.vendor, spec.device) || output.empty()) {
        std::cerr << "Give --pci VVVV:DDDD and -o FILE, or --all DIR\n";
        return ExitUsage;
    }
    if (!tarvex::SampleSizeValid(size)) {
        std::cerr << "--size must be a multiple of 512 from 1024 to 130560\n";
        return ExitUsage;
    }
    spec.size = size;
    spec.classCode = raid ? tarvex::ClassCodeRaid : tarvex::ClassCodeIde;
    spec.banner = Banner("Tarvex", spec.vendor, spec.device);
    return WriteImage(output, tarvex::MakeSampleImage(spec)) ? 0 : ExitFileError;
}
