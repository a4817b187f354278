# Sourced by run.sh and test.sh: installs the Debian 12 packages the build needs when they are
# missing (as root with apt-get; otherwise prints the line to run).

dorvik_packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev libjpeg62-turbo-dev libqt6sql6-sqlite libqt6sql6-psql libpq-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-dejavu-core fonts-liberation2
)
dorvik_test_packages=(
    xvfb xauth xdotool poppler-utils clang-14 libclang-rt-14-dev clang-format postgresql-15
)

dorvik_install_missing() {
    local missing=() p
    for p in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$p")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -eq 0 ]; then
        echo "Installing: ${missing[*]}"
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq && apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
    else
        echo "Missing packages. Run as root:" >&2
        echo "  apt-get install -y ${missing[*]}" >&2
        return 1
    fi
}

# Configures and builds one build tree: dorvik_build DIR [cmake options...]
dorvik_build() {
    local dir=$1
    shift
    cmake -S "$dorvik_root" -B "$dir" -G Ninja "$@" >/dev/null || return 1
    cmake --build "$dir" --parallel "$(nproc)"
}
