#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer,
# and runs each from its committed seed corpus for a share of about a minute.
set -eu
repo_root=$(cd "$(dirname "$0")/.." && pwd)
build=$repo_root/build/fuzz
total_seconds=${FUZZ_SECONDS:-60}
sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"

CC=clang CXX=clang++ cmake -S "$repo_root" -B "$build" -DVASTREL_FUZZ=ON \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_FLAGS="$sanitizers -fsanitize=fuzzer-no-link" \
    -DCMAKE_CXX_FLAGS="$sanitizers -fsanitize=fuzzer-no-link" >/dev/null
cmake --build "$build" --target fuzzers -j "$(nproc)"

targets=("$build"/tests/fuzz/fuzz_*)
share=$(( total_seconds / ${#targets[@]} ))
[ "$share" -ge 10 ] || share=10
for target in "${targets[@]}"; do
    name=$(basename "$target")
    corpus=$repo_root/tests/fuzz/corpus/${name#fuzz_}
    work=$build/corpus/$name
    mkdir -p "$work"
    echo "-- $name for ${share}s"
    "$target" -max_total_time="$share" -print_final_stats=0 "$work" "$corpus" 2>"$build/$name.log" ||
        { tail -n 60 "$build/$name.log"; exit 1; }
    grep -E '^(#[0-9]+ *DONE|Done)' "$build/$name.log" | tail -n 1 || true
done
