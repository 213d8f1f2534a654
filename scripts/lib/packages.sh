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
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}"
}

BUILD_PACKAGES=(cmake ninja-build g++ pkg-config)
UI_PACKAGES=(qt6-base-dev fonts-dejavu-core)
TEST_PACKAGES=(googletest libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xdotool imagemagick x11-utils python3 python3-xlib python3-pyatspi at-spi2-core dbus desktop-file-utils appstream clang-format)
FUZZ_PACKAGES=(clang libclang-rt-14-dev)
