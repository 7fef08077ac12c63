# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Tapsy developers
#
# What the session tests share; sourced, not run. install_tree PREFIX [DESTDIR] lays out the
# game (with its hook library) and the session from the build folder $build as `cmake --install`
# does, without the content.
install_tree() {
  local component
  for component in game session; do
    DESTDIR=${2:-} cmake --install "$build" --prefix "$1" --component $component >"$work/install.log" 2>&1 || {
      echo "installing the component $component failed:"
      cat "$work/install.log"
      return 1
    }
  done
}

# The value of key $2 in desktop file $1.
entry_value() { sed -n "s/^$2=//p" "$1" | head -1; }
