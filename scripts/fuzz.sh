#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz/ and runs each for a while.
#   scripts/fuzz.sh            every target for 60 s
#   scripts/fuzz.sh 600        every target for 10 minutes
#   scripts/fuzz.sh 20 -runs=10000000 -print_final_stats=1
#                              extra libFuzzer flags after the time (runs ends a target early)
# What a run finds is kept in build-fuzz/tests/fuzz/<target>_corpus; a crash leaves its input
# in the current folder (crash-...), to be replayed with: build-fuzz/bin/<target> crash-...
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
targets=(search_fuzz command_line_fuzz variant_dispatch_fuzz world_file_fuzz node_key_fuzz)

launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang "${launcher[@]}" \
  -DMUNDOR_FUZZ=ON -DMUNDOR_WITH_QT=OFF -DMUNDOR_BUILD_BENCH=OFF
cmake --build build-fuzz -j"${MUNDOR_JOBS:-2}" --target "${targets[@]}"
for target in "${targets[@]}"; do
  echo "fuzz: $target for ${seconds} s"
  # The longest input each target tries, as tests/fuzz/CMakeLists.txt gives it.
  max_len=$(sed -n "/mundor_add_fuzzer($target\$/,/)/s/.*MAX_LEN \([0-9]*\).*/\1/p" \
    tests/fuzz/CMakeLists.txt)
  build-fuzz/bin/"$target" -max_total_time="$seconds" -max_len="${max_len:-512}" "$@" \
    build-fuzz/tests/fuzz/"${target}"_corpus tests/fuzz/"${target}"_seeds
done
