# Installs the Debian packages given that are not installed yet.
ensure_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
}

# Names that Debian 12 and 13 both have.
BUILD_PACKAGES=(cmake ninja-build g++ pkg-config libboost-math-dev)
UI_PACKAGES=(qt6-base-dev qt6-svg-dev libcups2-dev qt6-wayland qt6-translations-l10n fonts-dejavu-core)
PACKAGE_PACKAGES=(dpkg-dev file lintian devscripts desktop-file-utils appstream imagemagick man-db)
TEST_PACKAGES=(googletest libgtest-dev libgmock-dev libbenchmark-dev clang-format
    xvfb xdotool x11-utils weston python3 python3-xlib python3-pyatspi at-spi2-core dbus
    xclip poppler-utils cups printer-driver-cups-pdf cloc)

# clang with the runtime (sanitizers, libFuzzer) of the version the release installs.
ensure_fuzz_packages() {
    ensure_packages clang
    ensure_packages "libclang-rt-$(clang -dumpversion | cut -d. -f1)-dev"
}
