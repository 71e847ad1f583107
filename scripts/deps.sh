# Sourced by ./run and ./test: installs the Debian packages the build needs, only those missing.
# fonts-dejavu-core: a face with typographic ligatures, which the window tests show are turned off.
morvel_install_deps() {
    local wanted=(cmake ninja-build g++ ccache libgtest-dev libgmock-dev libbenchmark-dev
                  libpugixml-dev libwxgtk3.2-dev libfontconfig-dev xvfb xauth python3
                  fonts-dejavu-core "$@")
    local missing=()
    local pkg
    for pkg in "${wanted[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    echo "Installing: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
