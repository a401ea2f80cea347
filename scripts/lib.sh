# Helpers shared by the scripts, with the settings of env.sh. Sourced, not run:
#   . "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/env.sh"

# Milliseconds of the wall clock.
now_ms() { echo $(($(date +%s%N) / 1000000)); }

# The Windows form of a Unix path (Wine maps Z: to /).
winpath() { echo "Z:$1" | tr / '\\'; }

# Runs a command RUNS times (its output discarded) and prints the best time in ms; fails
# when a run fails. Usage: best_of_ms RUNS COMMAND [ARGS...]
best_of_ms() {
  _runs=$1; shift
  _best=
  _i=0
  while [ $_i -lt "$_runs" ]; do
    _t0=$(now_ms)
    "$@" >/dev/null || return 1
    _t=$(($(now_ms) - _t0))
    if [ -z "$_best" ] || [ "$_t" -lt "$_best" ]; then _best=$_t; fi
    _i=$((_i + 1))
  done
  echo "$_best"
}

# From the benchmark output on stdin, the value of KEY=value in the first line that starts
# with PREFIX. Usage: field PREFIX KEY < output
field() { grep "^$1" | head -1 | tr ' ' '\n' | sed -n "s/^$2=//p"; }

# Fails with a plain message when Wine cannot start here. Vantora is a 32-bit program: some
# kernels (those built or booted without 32-bit support) refuse every 32-bit executable with
# "Exec format error", and then no Windows program and no test can run.
need_wine() {
  if ! _v=$(wine --version 2>&1); then
    echo "$(basename "$0"): Wine does not start on this machine: $(echo "$_v" | tail -1)" >&2
    echo "$(basename "$0"): Vantora and its tests need a Linux kernel that runs 32-bit x86 programs" >&2
    return 1
  fi
}

# Makes the Wine prefix ($WINEPREFIX) if it is not there yet, before any clock starts.
warm_prefix() { "$ROOT/scripts/wine" cmd /c exit >/dev/null 2>&1 || true; }
