# Builds the release program alone into build/release and names it in KURVIX.
build_release() {
    local build=build/release
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKURVIX_BUILD_TESTS=OFF -DKURVIX_BUILD_BENCH=OFF >/dev/null
    cmake --build "$build" -j "$(nproc)" --target kurvix
    KURVIX=$build/ui/kurvix
}
