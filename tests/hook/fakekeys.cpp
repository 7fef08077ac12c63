// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Presses keys on KWin through its fake-input protocol (org_kde_kwin_fake_input), for the tests:
// the keys enter KWin as if typed, so KWin's own shortcuts see them first. Prints "ready" once
// KWin has the device, then reads lines "<Linux key code> down|up" from standard input and
// answers each with "ok" after KWin has taken it (a round trip).
#include "fake-input-client-protocol.h"

#include <wayland-client.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

namespace {

org_kde_kwin_fake_input* FakeInput = nullptr;

void OnGlobal(void*, wl_registry* Registry, uint32_t Name, const char* Interface, uint32_t Version)
{
    // keyboard_key came with version 4.
    if (std::strcmp(Interface, org_kde_kwin_fake_input_interface.name) == 0 && Version >= 4)
        FakeInput = static_cast<org_kde_kwin_fake_input*>(wl_registry_bind(
            Registry, Name, &org_kde_kwin_fake_input_interface, std::min<uint32_t>(Version, 4)));
}

void OnGlobalRemove(void*, wl_registry*, uint32_t) { }

const wl_registry_listener RegistryListener { OnGlobal, OnGlobalRemove };

} // namespace

int main()
{
    wl_display* display = wl_display_connect(nullptr);
    if (!display) {
        std::fprintf(stderr, "fakekeys: no Wayland display\n");
        return 1;
    }
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &RegistryListener, nullptr);
    wl_display_roundtrip(display);
    if (!FakeInput) {
        std::fprintf(
            stderr, "fakekeys: the compositor offers no org_kde_kwin_fake_input of version 4\n");
        return 1;
    }
    org_kde_kwin_fake_input_authenticate(
        FakeInput, "Tapsy tests", "presses keys for the lock-down test");
    if (wl_display_roundtrip(display) < 0) {
        std::fprintf(stderr, "fakekeys: the compositor closed the connection\n");
        return 1;
    }
    std::cout << "ready" << std::endl;
    std::string line;
    while (std::getline(std::cin, line)) {
        unsigned code = 0;
        char state[8] = {};
        if (std::sscanf(line.c_str(), "%u %7s", &code, state) != 2
            || (std::strcmp(state, "down") != 0 && std::strcmp(state, "up") != 0)) {
            std::cout << "bad line: " << line << std::endl;
            continue;
        }
        org_kde_kwin_fake_input_keyboard_key(
            FakeInput, code, std::strcmp(state, "down") == 0 ? 1 : 0);
        if (wl_display_roundtrip(display) < 0) {
            std::cout << "the compositor closed the connection" << std::endl;
            return 1;
        }
        std::cout << "ok" << std::endl;
    }
    org_kde_kwin_fake_input_destroy(FakeInput);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return 0;
}
