#include "cli/exit_table.h"

namespace tarvex::cli {

const char* const ExitStatusTable =
    "Exit status:\n"
    "  0   success (verify: the ROM matches)\n"
    "  2   flash: the file is not a usable BIOS image (also a truncated one)\n"
    "  3   flash: not enough memory for the image\n"
    "  5   backup, flash --backup: the backup file could not be written whole\n"
    "  6   backup, flash --backup: the backup file cannot be created\n"
    "  7   flash: the image is made for another adapter; backup: no adapter identity\n"
    "  8   flash, verify: no supported flash chip\n"
    "  9   flash: programming failed at an offset\n"
    "  10  backup, flash, verify: the ROM could not be read (flash: before erasing, or two reads\n"
    "      for --backup differ)\n"
    "  11  flash: the chip erase did not complete\n"
    "  12  flash: a sector or boot block of the chip is protected\n"
    "  13  flash: the ROM differs from the image after programming; verify: it differs\n"
    "  14  flash, backup: the adapter does not answer its information or identity query\n"
    "  15  flash, verify: the image file is longer than the adapter's ROM or its flash chip\n"
    "  16  flash: identifying the chip changed the ROM and could not put it back\n"
    "  64  the command line is wrong (also: -a is needed with several adapters; flash: --backup\n"
    "      names the image file itself)\n"
    "  65  info, config: the input is not a usable image, or a value is refused\n"
    "  69  no driver or no adapter answers (verify: the adapter does not answer)\n"
    "  74  a file cannot be opened, read or written\n"
    "  75  another process holds the host lock; nothing reached a chip\n"
    "  77  flash: the confirmation was declined\n"
    "  78  the simulator's rig file is wrong\n"
    "  130 flash: stopped by a second interrupt; the ROM is partly written\n";

}  // namespace tarvex::cli
