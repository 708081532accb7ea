#include "ui/dialog_surface.h"

namespace tarvex {

namespace {
ModalHook g_modalHook;
}  // namespace

void SetModalHook(ModalHook hook) { g_modalHook = std::move(hook); }

const ModalHook& CurrentModalHook() { return g_modalHook; }

}  // namespace tarvex
