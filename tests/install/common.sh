# Shared part of the installation tests (sourced): a scratch folder removed on exit, an
# install of the build into a prefix, and the layout every installation must have.
set -euo pipefail

: "${VOSSA_BINARY_DIR:?the build folder is not set}"
: "${VOSSA_SOURCE_DIR:?the source folder is not set}"
: "${VOSSA_RUN_DIR:?the run folder is not set}"

scratch=$(mktemp -d "${TMPDIR:-/tmp}/vossa-install-test.XXXXXX")
trap 'rm -rf -- "$scratch"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

skip() {
    echo "SKIP: $*"
    exit 77
}

# install_to PREFIX: installs the build there.
install_to() {
    cmake --install "$VOSSA_BINARY_DIR" --prefix "$1" >"$scratch/install.log" 2>&1 ||
        { cat "$scratch/install.log" >&2; fail "cmake --install into $1 failed"; }
}

# Files and links below a folder, relative, sorted.
list_files() {
    (cd "$1" && find . \( -type f -o -type l \) -printf '%P\n' | LC_ALL=C sort)
}

# The application id naming the desktop entry and the metainfo file.
app_id=org.example.vossa

# The installation layout relative to the prefix, sorted.
expected_files() {
    {
        printf '%s\n' games/vossa games/vossa-pack lib/games/vossa/vossa \
            share/games/vossa/vossadata.bin "share/applications/$app_id.desktop" \
            "share/metainfo/$app_id.metainfo.xml" share/man/man6/vossa.6.gz \
            share/man/man6/vossa-pack.6.gz share/doc/vossa/copyright share/doc/vossa/changelog.gz
        for size in 16 32 48 64 128 256; do
            echo "share/icons/hicolor/${size}x${size}/apps/vossa.png"
        done
    } | LC_ALL=C sort
}
