#!/usr/bin/env bash
# Builds Vossa for 64-bit Windows on Debian 12 (`make windows`):
#   1. installs the cross compilers, Wine and NSIS when they are missing;
#   2. fetches Debian's source packages of SDL2, SDL2_mixer, SDL2_gfx and zlib through a private
#      apt configuration under build-windows/apt (the system's apt set-up is not touched);
#   3. builds them as static libraries for x86_64-w64-mingw32, once: the result is kept in
#      build-windows/deps/<versions> and reused while the versions stay the same;
#   4. builds the engine and the game (vossa.exe) against them, and the Linux build's asset
#      pack and icons;
#   5. packs build-windows/vossa-<version>-windows-x64.zip and vossa-<version>-setup.exe.
# Run from the top of the source tree. VOSSA_WINDOWS_OUT overrides the output folder.
set -euo pipefail
shopt -s inherit_errexit

top=$(cd "$(dirname "$0")/.." && pwd)
out=${VOSSA_WINDOWS_OUT:-$top/build-windows}
jobs=$(nproc)
host=x86_64-w64-mingw32
mkdir -p "$out"

step() { echo "== $*"; }

# --- 1. Tools -------------------------------------------------------------------------------
tools=(g++-mingw-w64-x86-64-posix wine64 wine nsis dpkg-dev imagemagick zip unzip xz-utils curl)
missing=()
for p in "${tools[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    step "installing ${missing[*]}"
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get -o DPkg::Lock::Timeout=600 update -qq
    $sudo apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${missing[@]}"
fi

# --- 2. Library sources, through a private apt configuration --------------------------------
apt_dir=$out/apt
mkdir -p "$apt_dir/lists/partial" "$apt_dir/parts" "$apt_dir/cache/archives/partial"
echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg]" \
    "http://deb.debian.org/debian bookworm main" >"$apt_dir/sources.list"
apt_private=(-o "Dir::Etc::SourceList=$apt_dir/sources.list"
    -o "Dir::Etc::SourceParts=$apt_dir/parts" -o "Dir::State::Lists=$apt_dir/lists"
    -o "Dir::Cache=$apt_dir/cache" -o "Debug::NoLocking=1")
if ! ls "$apt_dir/lists/"*Sources* >/dev/null 2>&1; then
    step "reading Debian's source index"
    apt-get "${apt_private[@]}" update -qq
fi

packages=(libsdl2 libsdl2-mixer libsdl2-gfx zlib)
key=""
declare -A version
for p in "${packages[@]}"; do
    v=$(apt-cache "${apt_private[@]}" showsrc "$p" | sed -n 's/^Version: //p' | sort -V | tail -1)
    [ -n "$v" ] || { echo "no source package $p in Debian's index" >&2; exit 1; }
    version[$p]=$v
    key="$key${key:+_}$p-$v"
done
deps=$out/deps/$(echo "$key" | tr ':~+' '---')
src=$out/src

# Downloads a package's files (its .dsc and tarballs), checks each against the checksum of the
# signed index and unpacks it into $src/<package>: with Debian's patches applied when the
# Debian tarball is there, else (the mirror may lack it) the upstream tarball as it is.
# Prints the source tree's path.
fetch() {
    local p=$1 dir=$src/$1 uri name hash
    rm -rf "$dir" && mkdir -p "$dir/files"
    apt-get "${apt_private[@]}" --print-uris source "$p=${version[$p]}" 2>/dev/null |
        grep "^'" >"$dir/uris" || return 1
    while read -r uri name _ hash; do
        uri=${uri//\'/}
        if ! curl -fsSL --retry 3 -o "$dir/files/$name" "$uri" 2>/dev/null; then
            rm -f "$dir/files/$name"
            case $name in *.debian.tar.*) continue ;; esac
            echo "cannot download $uri" >&2
            return 1
        fi
        [[ $hash == SHA256:* ]] || { echo "no SHA256 checksum for $name" >&2; return 1; }
        echo "${hash#SHA256:}  $dir/files/$name" | sha256sum -c --quiet - >&2 || return 1
    done <"$dir/uris"
    if ls "$dir/files/"*.debian.tar.* >/dev/null 2>&1; then
        # The checksums above come from the signed index; the .dsc carries no key of ours.
        dpkg-source --no-check -x "$dir/files/"*.dsc "$dir/tree" >"$dir/unpack.log" 2>&1 ||
            { cat "$dir/unpack.log" >&2; return 1; }
    else
        local orig
        orig=$(ls "$dir/files/"*.orig.tar.* | grep -v '\.asc$' | head -1)
        mkdir -p "$dir/tree"
        tar -xf "$orig" -C "$dir/tree" --strip-components=1 || return 1
    fi
    echo "$dir/tree"
}

toolchain=$top/cmake/mingw-w64-x86_64.cmake
cross=(-G "Unix Makefiles" -Wno-dev -Wno-deprecated -DCMAKE_TOOLCHAIN_FILE="$toolchain"
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$deps" -DCMAKE_PREFIX_PATH="$deps"
    -DVOSSA_WINDOWS_DEPS="$deps" -DBUILD_SHARED_LIBS=OFF)

# Each library is built once; a stamp in $deps marks it done.
built() { [ -f "$deps/.built-$1" ]; }
done_with() { touch "$deps/.built-$1"; rm -rf "${src:?}/$1"; }
mkdir -p "$deps/include" "$deps/lib" "$deps/licences"

if ! built zlib; then
    step "zlib ${version[zlib]}"
    tree=$(fetch zlib)
    cmake -S "$tree" -B "$src/zlib/build" "${cross[@]}" >/dev/null
    cmake --build "$src/zlib/build" -j "$jobs" --target zlibstatic >/dev/null
    cp "$src/zlib/build/libzlibstatic.a" "$deps/lib/libz.a"
    cp "$tree/zlib.h" "$src/zlib/build/zconf.h" "$deps/include/"
    sed -n '/Copyright notice/,/madler@alumni/p' "$tree/README" >"$deps/licences/zlib.txt"
    done_with zlib
fi

if ! built libsdl2; then
    step "SDL2 ${version[libsdl2]}"
    tree=$(fetch libsdl2)
    cmake -S "$tree" -B "$src/libsdl2/build" "${cross[@]}" -DSDL_STATIC=ON -DSDL_SHARED=OFF \
        -DSDL_TEST=OFF >/dev/null
    cmake --build "$src/libsdl2/build" -j "$jobs" >/dev/null
    cmake --install "$src/libsdl2/build" >/dev/null
    cp "$tree/LICENSE.txt" "$deps/licences/SDL2.txt"
    done_with libsdl2
fi

# WAV and Ogg Vorbis (through the stb_vorbis decoder in SDL2_mixer's own tree) only.
if ! built libsdl2-mixer; then
    step "SDL2_mixer ${version[libsdl2-mixer]}"
    tree=$(fetch libsdl2-mixer)
    cmake -S "$tree" -B "$src/libsdl2-mixer/build" "${cross[@]}" -DSDL2MIXER_SAMPLES=OFF \
        -DSDL2MIXER_VENDORED=OFF -DSDL2MIXER_DEPS_SHARED=OFF -DSDL2MIXER_VORBIS=STB \
        -DSDL2MIXER_WAVE=ON -DSDL2MIXER_OPUS=OFF -DSDL2MIXER_FLAC=OFF -DSDL2MIXER_MOD=OFF \
        -DSDL2MIXER_MP3=OFF -DSDL2MIXER_MIDI=OFF -DSDL2MIXER_CMD=OFF >/dev/null
    cmake --build "$src/libsdl2-mixer/build" -j "$jobs" >/dev/null
    cmake --install "$src/libsdl2-mixer/build" >/dev/null
    cp "$tree/LICENSE.txt" "$deps/licences/SDL2_mixer.txt"
    sed -n '/^This software is available under 2 licenses/,/^\*\//p' \
        "$tree/src/codecs/stb_vorbis/stb_vorbis.h" >"$deps/licences/stb_vorbis.txt"
    done_with libsdl2-mixer
fi

# Of SDL2_gfx only the frame-rate manager is used.
if ! built libsdl2-gfx; then
    step "SDL2_gfx ${version[libsdl2-gfx]}"
    tree=$(fetch libsdl2-gfx)
    $host-gcc-posix -O2 -I"$deps/include/SDL2" -c "$tree/SDL2_framerate.c" \
        -o "$src/libsdl2-gfx/SDL2_framerate.o"
    rm -f "$deps/lib/libSDL2_gfx.a"
    $host-gcc-ar-posix rcs "$deps/lib/libSDL2_gfx.a" "$src/libsdl2-gfx/SDL2_framerate.o"
    cp "$tree/SDL2_framerate.h" "$deps/include/SDL2/"
    # COPYING only names the licence; the source's head holds its text and copyright.
    sed -n '1,/\*\//p' "$tree/SDL2_framerate.c" >"$deps/licences/SDL2_gfx.txt"
    done_with libsdl2-gfx
fi

# --- 4. The Linux build's asset pack and icons, then the game for Windows -------------------
step "asset pack and icons (Linux build)"
make -C "$top" configure >/dev/null
cmake --build "$top/build" -j "$jobs" --target vossa_pack vossa_icons >/dev/null


step "vossa.exe"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache
    -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$top" -B "$out/game" -G "Unix Makefiles" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DVOSSA_WINDOWS_DEPS="$deps" -DVOSSA_LINUX_BUILD="$top/build" \
    "${launcher[@]}" >/dev/null
cmake --build "$out/game" -j "$jobs" --target vossa vossa_windows_tests >/dev/null
exe=$out/game/run/vossa.exe

# Only Windows' own DLLs: anything else would have to travel with the program.
imports=$($host-objdump -p "$exe" | sed -n 's/^\tDLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
for dll in $imports; do
    case $dll in
    kernel32.dll | user32.dll | gdi32.dll | winmm.dll | imm32.dll | ole32.dll | oleaut32.dll | \
        version.dll | advapi32.dll | setupapi.dll | shell32.dll | opengl32.dll | msvcrt.dll | \
        api-ms-win-*.dll) ;;
    *)
        echo "vossa.exe needs $dll, which Windows does not bring" >&2
        exit 1
        ;;
    esac
done

# --- 5. The zip and the installer -----------------------------------------------------------
version=$(sed -n 's/^project(Vossa VERSION \([0-9.]*\).*/\1/p' "$top/CMakeLists.txt")
step "vossa-$version-windows-x64.zip"
stage=$out/stage/vossa-$version
rm -rf "$out/stage" && mkdir -p "$stage/licences"
cp "$exe" "$top/build/run/vossadata.bin" "$stage/"
sed "s/@VERSION@/$version/" "$top/dist/windows/README.txt.in" | sed 's/$/\r/' >"$stage/README.txt"
sed 's/$/\r/' "$top/LICENSE" >"$stage/licences/Vossa.txt"
sed 's/$/\r/' "$top/dist/linux/copyright" >"$stage/licences/vossadata.bin (DejaVu fonts).txt"
for f in "$deps/licences/"*.txt; do sed 's/$/\r/' "$f" >"$stage/licences/$(basename "$f")"; done
zip_file=$out/vossa-$version-windows-x64.zip
rm -f "$zip_file"
(cd "$out/stage" && zip -qr9 "$zip_file" "vossa-$version")

step "vossa-$version-setup.exe"
makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DICON="$out/game/vossa.ico" \
    -DOUTFILE="$out/vossa-$version-setup.exe" "$top/dist/windows/vossa.nsi" >/dev/null
ls -l "$zip_file" "$out/vossa-$version-setup.exe" | awk '{print $5, $9}'
