#!/bin/sh
# Runs every fuzz target for SECONDS seconds each, with its dictionary, its
# longest input, the options of every target (tests/fuzz/bersagli.txt) and its
# seeds (tests/fuzz/semi/), and prints the executions and the executions per
# second of each. The rate falls as the kept corpus grows (longer inputs).
#
#     scripts/fuzz_tutti.sh SECONDS [TARGET...]
#
# Builds build-fuzz with clang first when it is missing or out of date. What
# each target finds is kept in build-fuzz/corpus_TARGET, as the bounded fuzz
# run of ctest keeps it; a crash leaves its input in build-fuzz/crash-* and
# the target's log in build-fuzz/fuzz_tutti/TARGET.log.
set -eu

if [ $# -lt 1 ]; then
  echo "usage: $0 SECONDS [TARGET...]" >&2
  exit 64
fi
secondi=$1
shift
case $secondi in
  '' | *[!0-9]*) echo "$0: SECONDS must be a whole number" >&2; exit 64 ;;
esac

radice=$(cd "$(dirname "$0")/.." && pwd)
fuzz=$radice/tests/fuzz
build=$radice/build-fuzz

if [ ! -f "$build/CMakeCache.txt" ]; then
  # ccache where the machine has it; a fresh machine does not.
  lanciatore=
  command -v ccache >/dev/null && lanciatore=-DCMAKE_CXX_COMPILER_LAUNCHER=ccache
  CC=clang CXX=clang++ cmake -S "$radice" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DFUZZ=ON -DCMAKE_CXX_COMPILER=clang++ $lanciatore >/dev/null
fi
# The fuzz targets only: the sanitized program and tests are make test's.
for bersaglio in $(sed -n 's/^\(fuzz_[a-z_]*\).*/\1/p' "$fuzz/bersagli.txt"); do
  nice cmake --build "$build" -j 2 --target "$bersaglio" >/dev/null
done

comuni=$(sed -n 's/^opzioni //p' "$fuzz/bersagli.txt")
registri=$build/fuzz_tutti
mkdir -p "$registri"
printf '%-18s %12s %10s %s\n' target executions "exec/s" result
rm -f "$registri/falliti"
grep '^fuzz_' "$fuzz/bersagli.txt" | while read -r bersaglio dizionario massimo; do
  if [ $# -gt 0 ]; then
    scelto=no
    for b in "$@"; do [ "$b" = "$bersaglio" ] && scelto=yes; done
    [ $scelto = yes ] || continue
  fi
  corpus=$build/corpus_$bersaglio
  mkdir -p "$corpus"
  opzioni="$comuni -max_len=$massimo"
  [ "$dizionario" = - ] || opzioni="$opzioni -dict=$fuzz/dizionari/$dizionario"
  registro=$registri/$bersaglio.log
  risultato=ok
  # shellcheck disable=SC2086  # the options are words of their own
  (cd "$build" && ASAN_OPTIONS=detect_leaks=0 "./bin/$bersaglio" -max_total_time="$secondi" \
    -rss_limit_mb=4096 -timeout=20 -print_final_stats=1 $opzioni \
    "$corpus" "$fuzz/semi/$bersaglio") >"$registro" 2>&1 || {
    risultato="FAILED (see $registro)"
    echo "$bersaglio" >>"$registri/falliti"
  }
  eseguite=$(sed -n 's/^stat::number_of_executed_units: *//p' "$registro" | tail -n 1)
  al_secondo=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$registro" | tail -n 1)
  printf '%-18s %12s %10s %s\n' "$bersaglio" "${eseguite:-?}" "${al_secondo:-?}" "$risultato"
done
# A target that crashed or failed makes the whole run fail.
[ ! -f "$registri/falliti" ]
