#pragma once
#include <cstdint>
#include <string>

#include "driver/transport.h"

namespace tarvex {

// Brings the link up: host detection, discovery, then the three follow-up requests.
// Returns 0 when the link is ready, -1 when discovery failed (tried again next time).
int32_t InitDriverLink();
// The lazy-initialisation rule: true when the link is (or has just been brought) up.
bool EnsureDriverLink();

void DetectHostSystem();
int32_t DiscoverAdapters();
int32_t OpenAndProbe(const std::string& deviceName);
int32_t ListPortAdapters(Handle port, uint32_t* adapters, uint32_t capacity);

}  // namespace tarvex
