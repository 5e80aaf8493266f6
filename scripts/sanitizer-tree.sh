# Sourced by scripts/test-sanitizers and scripts/fuzz-short: the one clang
# build tree under AddressSanitizer and UndefinedBehaviorSanitizer that both
# use, so the libraries are built once. Everything is built with the fuzzer's
# coverage hooks (fuzzer-no-link: without libFuzzer they do nothing), the
# unit tests and the fuzz targets both.
# sanitizer_tree_configure <build folder>
sanitizer_tree_configure() {
  flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fsanitize=fuzzer-no-link -g -O1"
  CC=clang CXX=clang++ cmake -S "$root" -B "$1" -DVORN_TESTS=ON -DVORN_FUZZ=ON \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
}
