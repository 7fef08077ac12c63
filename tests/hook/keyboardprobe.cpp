// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// What a test needs to see of the X server's keyboard:
//   keyboardprobe actions   prints how many actions of the keyboard map the server carries out
//                           by itself (terminal switching, ending the server, the private grab
//                           and debug actions)
//   keyboardprobe grab      exit code 0 when this client can grab the keyboard, 1 when another
//                           client holds it
// Exit code 2 when there is no display or no XKB.
#include <X11/XKBlib.h>
#include <cstdio>
#include <cstring>

namespace {

int ProbeGrab(Display* display)
{
    const int result = XGrabKeyboard(display, DefaultRootWindow(display), False, GrabModeAsync,
        GrabModeAsync, CurrentTime);
    std::printf("%s\n", result == GrabSuccess ? "grabbed" : "held by another client");
    XUngrabKeyboard(display, CurrentTime);
    XCloseDisplay(display);
    return result == GrabSuccess ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    const bool grab = argc == 2 && std::strcmp(argv[1], "grab") == 0;
    if (!grab && !(argc == 2 && std::strcmp(argv[1], "actions") == 0)) {
        std::fprintf(stderr, "usage: keyboardprobe actions|grab\n");
        return 2;
    }
    int event = 0, error = 0, reason = 0;
    int major = XkbMajorVersion, minor = XkbMinorVersion;
    Display* display = XkbOpenDisplay(nullptr, &event, &error, &major, &minor, &reason);
    if (!display) {
        std::fprintf(stderr, "serveractions: no display with XKB\n");
        return 2;
    }
    if (grab)
        return ProbeGrab(display);
    XkbDescPtr xkb = XkbGetMap(display, XkbKeyTypesMask | XkbKeySymsMask | XkbKeyActionsMask, XkbUseCoreKbd);
    if (!xkb) {
        std::fprintf(stderr, "serveractions: no keyboard map\n");
        return 2;
    }
    int count = 0;
    for (int key = xkb->min_key_code; key <= xkb->max_key_code; ++key) {
        if (!XkbKeyHasActions(xkb, key))
            continue;
        const XkbAction* actions = XkbKeyActionsPtr(xkb, key);
        for (int i = 0; i < XkbKeyNumActions(xkb, key); ++i) {
            const int type = actions[i].type;
            if (type == XkbSA_SwitchScreen || type == XkbSA_Terminate || type == XkbSA_XFree86Private)
                ++count;
        }
    }
    std::printf("%d\n", count);
    XkbFreeKeyboard(xkb, 0, True);
    XCloseDisplay(display);
    return 0;
}
