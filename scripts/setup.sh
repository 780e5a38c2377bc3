# Sourced by the scripts: installs the Debian packages the build needs, when missing.

# desktop-file-utils and appstream check the desktop entry and the AppStream metadata; lintian,
# dpkg-dev (dpkg-shlibdeps) and file let the suite make the Debian packages and check them;
# the MQTT tests start mosquitto of their own.
TELVAN_PACKAGES=(cmake ninja-build g++ pkg-config tzdata libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev qt6-serialport-dev zlib1g-dev libpng-dev fonts-dejavu-core desktop-file-utils appstream
    lintian dpkg-dev file libmosquitto-dev mosquitto)

telvan_install() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$pkg")
        fi
    done
    if ((${#missing[@]})); then
        echo "Installing: ${missing[*]}" >&2
        local sudo=()
        if [[ $(id -u) -ne 0 ]]; then sudo=(sudo); fi
        "${sudo[@]}" apt-get update -qq
        DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
}

telvan_build() {
    local dir=$1
    shift
    local launcher=()
    # Clean builds and other checkouts reuse compiled objects when ccache is at hand.
    if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
    cmake -S . -B "$dir" -G Ninja "${launcher[@]}" "$@"
    cmake --build "$dir" -j"$(nproc)"
}
