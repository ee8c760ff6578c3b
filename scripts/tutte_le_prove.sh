#!/usr/bin/env bash
# Every test, as `make test` runs them: the normal build and its suite, then one sanitized build
# (clang, ASan+UBSan) that runs the whole suite again and a bounded fuzz run of each target.
#
#     scripts/tutte_le_prove.sh JOBS
#
# The normal suite runs while the sanitized build compiles at the lowest priority. Half of the
# suite's time is waiting (the browser, locks held on purpose, the program's own runs), so a core
# is idle for much of it; the build takes what the tests leave and the tests lose next to nothing.
# The suite's output is kept in build/prove_normali.log and printed when both are done.
set -uo pipefail
cd "$(dirname "$0")/.."
lavori=${1:-$(nproc)}

# Ninja for a new build folder: it keeps both cores busy to the last link (a clean build takes
# 111 s against make's 126 s). A folder that already holds a build keeps its generator.
generatore() { [ -f "$1/CMakeCache.txt" ] || echo "-G Ninja"; }

# At -O1 the sanitized program runs several times faster than at -O0 for about the same build
# time (the tests' own code is built at -O0: see CMakeLists.txt); scripts/fuzz_tutti.sh builds
# the fuzz targets at -O2 for long runs. Line tables are all the debug information a sanitizer's
# report needs (file and line of each frame), and cost far less to build than full -g. LLVM's
# linker links the instrumented test program four times faster than GNU ld (1.7 s against 7 s),
# and each of the nine fuzz targets likewise.
configura_sanitizzata=(-DCMAKE_BUILD_TYPE=Debug '-DCMAKE_CXX_FLAGS_DEBUG=-O1 -gline-tables-only'
  -DFUZZ=ON -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld
  -DCMAKE_MODULE_LINKER_FLAGS=-fuse-ld=lld -DCMAKE_SHARED_LINKER_FLAGS=-fuse-ld=lld)

# shellcheck disable=SC2046  # the generator's two words, or none
cmake -S . -B build $(generatore build) -DCMAKE_BUILD_TYPE=Release || exit
cmake --build build -j "$lavori" || exit

registro=build/prove_normali.log
# Twice as many tests as cores: many of them wait most of their time.
ctest --test-dir build --output-on-failure -j $((2 * lavori)) >"$registro" 2>&1 &
prove=$!
# shellcheck disable=SC2046
nice -n 19 cmake -S . -B build-asan $(generatore build-asan) "${configura_sanitizzata[@]}" &&
  nice -n 19 cmake --build build-asan -j "$lavori"
costruzione=$?
wait "$prove"
esito_normale=$?
cat "$registro"
[ "$esito_normale" -eq 0 ] || exit "$esito_normale"
[ "$costruzione" -eq 0 ] || exit "$costruzione"

# The shards of the suite, one more than the cores: a shard that waits on a lock held on purpose
# leaves its core to another. Then each fuzz target for its bounded time, one a core, so that
# none runs on a shared core and tries fewer inputs.
# With them the few tests that are neither (the layer probes, the catalogue, the page's script,
# the editors), which fill the core that the odd fuzz target leaves.
ctest --test-dir build-asan --output-on-failure -L suite -j $((lavori + 1)) || exit
ctest --test-dir build-asan --output-on-failure -LE suite -j "$lavori"
