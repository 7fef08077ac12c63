# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Tapsy developers
#
# From a Wayland client's protocol trace (WAYLAND_DEBUG=client), given twice as input:
#   awk -f windowsizes.awk TRACE TRACE
# prints three sizes WxH: the outputs side by side, the full-screen window as the compositor
# configured it last, and the buffer last shown on that window's surface.

# First reading: the toplevel that asks for full screen, its xdg_surface and its wl_surface.
NR == FNR {
  if (match($0, /xdg_toplevel@[0-9]+\.set_fullscreen/) && !game) {
    game = substr($0, RSTART + 13)
    sub(/[^0-9].*/, "", game)
  }
  if (match($0, /xdg_surface@[0-9]+\.get_toplevel\(new id xdg_toplevel@[0-9]+/)) {
    id = substr($0, RSTART + 12)
    sub(/[^0-9].*/, "", id)
    toplevel = $0
    sub(/.*xdg_toplevel@/, "", toplevel)
    sub(/[^0-9].*/, "", toplevel)
    xdg[toplevel] = id
  }
  if (match($0, /get_xdg_surface\(new id xdg_surface@[0-9]+, wl_surface@[0-9]+/)) {
    id = substr($0, RSTART)
    sub(/.*xdg_surface@/, "", id)
    sub(/[^0-9].*/, "", id)
    wl = $0
    sub(/.*wl_surface@/, "", wl)
    sub(/[^0-9].*/, "", wl)
    surface[id] = wl
  }
  next
}
FNR == 1 { shown_on = surface[xdg[game]] }
/wl_output@[0-9]+\.mode\(1, / {
  output = $0
  sub(/.*wl_output@/, "", output)
  sub(/[^0-9].*/, "", output)
  mode = $0
  sub(/.*mode\(1, /, "", mode)
  split(mode, f, ", ")
  width[output] = f[1]
  height[output] = f[2]
}
game && $0 ~ ("xdg_toplevel@" game "\\.configure\\([1-9]") {
  size = $0
  sub(/.*configure\(/, "", size)
  split(size, f, ", ")
  window = f[1] "x" f[2]
}
/create_buffer\(new id wl_buffer@/ {
  buffer = $0
  sub(/.*wl_buffer@/, "", buffer)
  split(buffer, f, ", ")
  buffers[f[1]] = f[3] "x" f[4]
}
shown_on && $0 ~ ("wl_surface@" shown_on "\\.attach\\(wl_buffer@") {
  buffer = $0
  sub(/.*wl_buffer@/, "", buffer)
  sub(/[^0-9].*/, "", buffer)
  shown = buffers[buffer]
}
END {
  for (output in width) {
    all += width[output]
    if (height[output] > tallest) tallest = height[output]
  }
  print all "x" tallest, window, shown
}
