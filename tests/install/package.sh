#!/usr/bin/env bash
# The Debian package: cpack builds exactly one vossa_<version>_<arch>.deb; its control fields
# name the game's section and dependencies; its contents list is the installation layout
# under /usr with the programs executable and stripped; its desktop entry runs /usr/bin/vossa;
# every shared library the programs link belongs to a package it depends on; and apt accepts
# it for installation (simulated).
source "$(dirname "$0")/common.sh"

for tool in cpack dpkg-deb dpkg objdump; do
    command -v "$tool" >/dev/null || skip "needs $tool"
done

out="$scratch/package"
cpack -G DEB --config "$VOSSA_BINARY_DIR/CPackConfig.cmake" -B "$out" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log" >&2; fail "cpack failed"; }
shopt -s nullglob
debs=("$out"/*.deb)
[ ${#debs[@]} -eq 1 ] || fail "expected one package, found: ${debs[*]:-none}"
deb=${debs[0]}

arch=$(dpkg --print-architecture)
version=$(dpkg-deb -f "$deb" Version)
[ "$(basename "$deb")" = "vossa_${version}_${arch}.deb" ] || fail "package file name $(basename "$deb")"
[ "$(dpkg-deb -f "$deb" Package)" = vossa ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Architecture)" = "$arch" ] || fail "architecture"
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "section"
case "$(dpkg-deb -f "$deb" Description)" in
    *";"*) fail "the description is a broken-up list: $(dpkg-deb -f "$deb" Description)" ;;
esac
project_version=$(sed -n 's/^project(Vossa VERSION \([0-9.]*\).*/\1/p' "$VOSSA_SOURCE_DIR/CMakeLists.txt")
[ "$version" = "$project_version" ] || fail "version $version, project $project_version"

depends=$(dpkg-deb -f "$deb" Depends)
# Package names in Depends, without versions or alternatives' bars.
depends_names=$(sed 's/([^)]*)//g; s/[,|]/\n/g' <<<"$depends" | tr -d ' ')
depends_on() {
    grep -qxF "$1" <<<"$depends_names"
}
for package in libsdl2-2.0-0 libsdl2-mixer-2.0-0 libsdl2-gfx-1.0-0 zlib1g libgl1 libopengl0; do
    depends_on "$package" || fail "Depends lacks $package: $depends"
done

# Contents: the install layout under ./usr/, programs executable.
dpkg-deb -c "$deb" >"$scratch/contents"
awk '$1 ~ /^[-l]/ { print $6 }' "$scratch/contents" | sed 's|^\./usr/||' | LC_ALL=C sort >"$scratch/files"
diff -u <(expected_files) "$scratch/files" || fail "package contents differ from the layout"
if awk '$1 ~ /^[-l]/ { print $6 }' "$scratch/contents" | grep -qv '^\./usr/'; then
    fail "package installs outside /usr"
fi
for program in ./usr/bin/vossa ./usr/bin/vossa-pack ./usr/lib/vossa/vossa; do
    awk -v p="$program" '$6 == p { print $1 }' "$scratch/contents" | grep -q '^-rwxr-xr-x$' ||
        fail "$program is not executable in the package"
done

root="$scratch/root"
dpkg-deb -x "$deb" "$root"
grep -qx "Exec=/usr/bin/vossa" "$root/usr/share/applications/vossa.desktop" ||
    fail "the packaged desktop entry does not run /usr/bin/vossa"
cmp -s "$VOSSA_RUN_DIR/vossadata.bin" "$root/usr/share/vossa/vossadata.bin" ||
    fail "the packaged asset pack is not the generated one"

# Every linked library comes from a declared dependency; debug sections are stripped.
for program in usr/lib/vossa/vossa usr/bin/vossa-pack; do
    if objdump -h "$root/$program" | grep -q '\.debug_info'; then
        fail "$program is not stripped"
    fi
    ldd "$root/$program" >"$scratch/ldd" || fail "ldd $program failed"
    for soname in $(objdump -p "$root/$program" | awk '$1 == "NEEDED" { print $2 }'); do
        path=$(awk -v s="$soname" '$1 == s { print $3 }' "$scratch/ldd")
        [ -n "$path" ] || fail "$soname of $program is not found"
        owner=""
        for candidate in "$path" "$(readlink -f "$path")" "/usr${path#/usr}" "${path#/usr}"; do
            owner=$(dpkg -S "$candidate" 2>/dev/null | head -n 1 | cut -d: -f1) || true
            [ -n "$owner" ] && break
        done
        [ -n "$owner" ] || fail "no installed package provides $path"
        case "$owner" in
            libasan* | libubsan*) [ "${VOSSA_SANITIZE:-OFF}" = ON ] && continue ;;
        esac
        depends_on "$owner" || fail "$program links $soname of $owner, not in Depends: $depends"
    done
done

if command -v apt-get >/dev/null; then
    apt-get install -s -q "$deb" >"$scratch/apt.log" 2>&1 ||
        { cat "$scratch/apt.log" >&2; fail "apt would not install the package"; }
    grep -q '^Inst vossa ' "$scratch/apt.log" ||
        { cat "$scratch/apt.log" >&2; fail "apt's simulation did not install vossa"; }
fi
echo "package ok: $(basename "$deb"), $(stat -c %s "$deb") bytes"
