#pragma once
#include <iosfwd>
#include <string>
#include <vector>

namespace tarvex::cli {

struct ConfigRequest {
    std::string image;
    std::vector<std::string> settings;  // "ROW=VALUE", ROW a row number or an exact label
    std::string output;                 // empty: write back to the image
    bool json = false;
};

// Lists an image's config entries, or applies values with the dialog's rules and writes the
// image with its checksum restored. 0, 64 (bad setting), 65 (no image, rejected value), 74.
int RunConfig(const ConfigRequest& request, std::ostream& out, std::ostream& err);

}  // namespace tarvex::cli
