# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Tapsy developers
#
# What the shell tests that drive the real program share; sourced, not run. The sourcing script
# sets `work` (its own temporary folder) first and may define `on_failure`, which runs after
# every failed check (to show what the program wrote, say).

passed=0
failed=0

# The program's own texts (and its content set) are checked in English whatever the machine's
# language; a test of another language says so on its command line.
export LANGUAGE=en

ok() { echo "ok - $1"; passed=$((passed + 1)); }
not_ok() {
  echo "not ok - $1"
  failed=$((failed + 1))
  if declare -F on_failure >/dev/null; then on_failure; fi
  return 0
}
check() { # check <description> <command...>
  local what=$1
  shift
  if "$@"; then ok "$what"; else not_ok "$what"; fi
}
# The summary line; true when nothing failed.
summary() {
  echo "$passed passed, $failed failed"
  [ "$failed" = 0 ]
}

# The game's content (the key A only) and settings are the test's own, in $work.
use_test_content() {
  mkdir -p "$work/content" "$work/config"
  printf '[VK_A]\r\nDisplay=A\r\nDesc=Apple\r\n' >"$work/content/TapsyV.ini"
  export TAPSY_SYSTEM_DIR="$work/content"
  export XDG_CONFIG_HOME="$work/config"
}

# The first visible window of process $1, waiting up to 20 s for it. xdotool gives up when a
# window goes away while it searches (another program's closing), so it gets a few tries.
window_of() {
  local wid= try
  for try in 1 2 3 4 5; do
    wid=$(timeout 20 xdotool search --sync --onlyvisible --pid "$1" 2>/dev/null | head -1)
    [ -n "$wid" ] && break
    kill -0 "$1" 2>/dev/null || break
  done
  echo "$wid"
}

# Runs the command after $1 every tenth of a second until it succeeds, at most $1 seconds: for
# what a window manager, a server or the game does in its own time. Fails when it never did.
eventually() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ $SECONDS -ge $deadline ] && return 1
    sleep 0.1
  done
}

# Waits up to $3 seconds for the text $2 in file $1.
wait_for_text() { eventually "$3" grep -q "$2" "$1" 2>/dev/null; }

# Waits up to $2 seconds for process $1 to end and sets code to its exit code, or to "running"
# and ends it with signal $3 (TERM when not given). Not in a subshell: only the shell that
# started the process can collect its exit code.
exit_code_of() {
  timeout "$2" tail -s 0.1 --pid="$1" -f /dev/null
  if kill -0 "$1" 2>/dev/null; then
    kill "-${3:-TERM}" "$1"
    wait "$1" 2>/dev/null
    code=running
  else
    wait "$1"
    code=$?
  fi
}
