#!/usr/bin/env bash
# The Debian package: cpack builds exactly one vossa_<version>_<arch>.deb; its control fields
# name the game's section and dependencies; its contents list is the installation layout
# under /usr with the programs executable and stripped; its desktop entry runs /usr/games/vossa;
# its changelog and metainfo name the package's version; every shared library the programs
# link belongs to a package it depends on; lintian finds no error and no warning; and apt
# accepts it for installation (simulated).
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
for program in ./usr/games/vossa ./usr/games/vossa-pack ./usr/lib/games/vossa/vossa; do
    awk -v p="$program" '$6 == p { print $1 }' "$scratch/contents" | grep -q '^-rwxr-xr-x$' ||
        fail "$program is not executable in the package"
done

root="$scratch/root"
dpkg-deb -x "$deb" "$root"
grep -qx "Exec=/usr/games/vossa" "$root/usr/share/applications/$app_id.desktop" ||
    fail "the packaged desktop entry does not run /usr/games/vossa"
cmp -s "$VOSSA_RUN_DIR/vossadata.bin" "$root/usr/share/games/vossa/vossadata.bin" ||
    fail "the packaged asset pack is not the generated one"
zcat "$root/usr/share/doc/vossa/changelog.gz" | head -n 1 | grep -q "^vossa ($version) " ||
    fail "the changelog's latest entry is not version $version"
grep -qF "<release version=\"$version\"" "$root/usr/share/metainfo/$app_id.metainfo.xml" ||
    fail "the metainfo's release is not version $version"

# Every linked library comes from a declared dependency; debug sections are stripped.
for program in usr/lib/games/vossa/vossa usr/games/vossa-pack; do
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

# Debian's own checks: tags of severity error (E) or warning (W) fail. Lintian warns on
# standard error when run as root; that note is not a tag about the package. Under the
# sanitizers the programs are built differently from a release, so the check is left out.
if command -v lintian >/dev/null && [ "${VOSSA_SANITIZE:-OFF}" != ON ]; then
    lintian --no-cfg --fail-on none "$deb" >"$scratch/lintian.log" 2>"$scratch/lintian.err" ||
        { cat "$scratch/lintian.log" "$scratch/lintian.err" >&2; fail "lintian did not run"; }
    if grep -E '^[EW]: ' "$scratch/lintian.log" >&2; then
        fail "lintian reports errors or warnings"
    fi
fi

if command -v apt-get >/dev/null; then
    apt-get install -s -q "$deb" >"$scratch/apt.log" 2>&1 ||
        { cat "$scratch/apt.log" >&2; fail "apt would not install the package"; }
    grep -q '^Inst vossa ' "$scratch/apt.log" ||
        { cat "$scratch/apt.log" >&2; fail "apt's simulation did not install vossa"; }
fi
echo "package ok: $(basename "$deb"), $(stat -c %s "$deb") bytes"
