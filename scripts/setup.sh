# Sourced by the scripts: installs the Debian packages the build needs, when missing.

TELVAN_PACKAGES=(cmake ninja-build g++ pkg-config tzdata libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev qt6-serialport-dev fonts-dejavu-core desktop-file-utils libmosquitto-dev mosquitto)

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
