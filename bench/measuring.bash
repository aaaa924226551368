# What bench/compare-sizes and bench/compare-wayland share: sourced, not run. The sourcing
# script sets `me` (its name, for its messages) before it sources this file.
#
# Everything started through `start` is ended when the script ends, last started first, so that
# a client goes before the server it draws on. Frames are counted from outside: a client is
# started under strace, which stops it only at the one system call that hands a frame over
# (seccomp-bpf leaves every other call alone), and writes the time of each to a file.

fail() {
  echo "$me: $*" >&2
  exit 2
}

# need TOOL...: fails with one sentence when a tool is missing.
need() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || fail "$tool is missing: run scripts/install-deps"
  done
}

work="$(mktemp -d)"
started=()
# Whether a process has ended: gone, or a zombie not yet waited for.
ended() {
  local state
  state="$(cut -d')' -f2 "/proc/$1/stat" 2>/dev/null | awk '{ print $1 }')"
  [ -z "$state" ] || [ "$state" = Z ]
}
# end_process PID: ends a process of ours, its children first: a client started under strace is
# strace's child, and strace ends only when it does. One that is still there after ten seconds
# is killed.
end_process() {
  local children
  children="$(cat "/proc/$1/task/"*/children 2>/dev/null || true)"
  # shellcheck disable=SC2086
  [ -z "$children" ] || kill -TERM $children 2>/dev/null || true
  kill -TERM "$1" 2>/dev/null || true
  if ! until_true 10 ended "$1"; then
    # shellcheck disable=SC2086
    kill -KILL $children "$1" 2>/dev/null || true
  fi
  wait "$1" 2>/dev/null || true
}
cleanup() {
  local i
  [ -z "${pause_pid:-}" ] || kill -TERM "$pause_pid" 2>/dev/null || true
  for ((i = ${#started[@]} - 1; i >= 0; i--)); do
    end_process "${started[i]}"
  done
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# start COMMAND...: in the background, its output in the log; its process in last_pid.
start() {
  "$@" >/dev/null 2>>"$work/log" &
  last_pid=$!
  started+=("$last_pid")
}

# stop PID: ends a process that start started, and forgets it.
stop() {
  end_process "$1"
  local kept=() pid
  for pid in "${started[@]}"; do
    [ "$pid" = "$1" ] || kept+=("$pid")
  done
  started=("${kept[@]}")
}

# pause SECONDS: sleeps in a way that a signal to the script cuts short: bash runs a trap only
# when the command in the foreground has ended.
pause() {
  sleep "$1" &
  pause_pid=$!
  wait "$pause_pid"
}

# until_true SECONDS COMMAND...: runs the command every tenth of a second until it succeeds.
until_true() {
  local limit=$(($1 * 10)) i
  shift
  for ((i = 0; i < limit; i++)); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

# The run time of a process in nanoseconds, all its threads. Printed with %.0f: mawk's %d stops
# at 2^31, about two seconds.
cpu_ns() { cat "/proc/$1/task/"*/schedstat | awk '{ ns += $1 } END { printf "%.0f\n", ns }'; }

# start_xvfb WIDTHxHEIGHT: an X server of our own on the first free display, which it names
# when it is ready; the display, as :N, in last_display.
start_xvfb() {
  local named="$work/display-$RANDOM"
  start Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp 3>"$named"
  until_true 10 test -s "$named" || fail "Xvfb did not start"
  last_display=":$(cat "$named")"
}

# start_traced CALL FILE COMMAND...: the command under strace, the time of each successful CALL
# and the first 64 bytes of each buffer it hands over written to FILE, one line a call; strace's
# process in last_pid (stop ends both), the command's in traced_pid. strace ignores SIGTERM while
# its command runs, and so never lets it go untraced with a signal lost.
start_traced() {
  local call=$1 file=$2 tracer
  shift 2
  start strace -f --seccomp-bpf -qq -ttt -e trace="$call" -e status=successful \
    -e signal=none -xx -s 64 -o "$file" -- "$@"
  tracer=$last_pid
  # strace forks a child or two of its own before the one that becomes the command.
  local program child
  program="$(readlink -f "$(command -v "$1")")"
  traced_pid=""
  for _ in $(seq 100); do
    for child in $(cat "/proc/$tracer/task/$tracer/children" 2>/dev/null); do
      [ "$(readlink "/proc/$child/exe" 2>/dev/null)" = "$program" ] && traced_pid=$child
    done
    [ -n "$traced_pid" ] && break
    sleep 0.05
  done
  [ -n "$traced_pid" ] || fail "strace did not start $1: $(tail -n 1 "$work/log")"
  last_pid=$tracer
}

# frames_in FILE PATTERN FROM TO: of the calls in a trace whose line holds PATTERN, those between
# the two times (seconds since the epoch), as "FRAMES GAPS-OVER-40-MS WORST-GAP-MS".
frames_in() {
  # The pattern through the environment: awk would read its backslashes as escapes.
  pattern="$2" awk -v from="$3" -v to="$4" '
    index($0, ENVIRON["pattern"]) && $2 >= from && $2 <= to {
      if (n > 0) {
        gap = ($2 - last) * 1000
        if (gap > 40) long++
        if (gap > worst) worst = gap
      }
      last = $2
      n++
    }
    END { printf "%d %d %.0f\n", n, long, worst }' "$1"
}

# The time now, in seconds since the epoch, to the microsecond, as strace's -ttt writes it.
now() { echo "$EPOCHREALTIME"; }

# percent NS FROM TO: run time as a share of one core over that stretch of the clock.
percent() { awk -v ns="$1" -v from="$2" -v to="$3" 'BEGIN { printf "%.2f", ns / 1e7 / (to - from) }'; }
