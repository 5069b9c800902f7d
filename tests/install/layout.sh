#!/usr/bin/env bash
# The installed tree: exactly the expected files, executables where they should be, the build's
# asset pack, a launcher that names no build or source path, a valid desktop entry pointing at
# the installed launcher (also under a prefix with a space and a '$'), PNG icons of every size.
source "$(dirname "$0")/common.sh"

prefix="$scratch/prefix"
install_to "$prefix"

diff -u <(expected_files) <(list_files "$prefix") || fail "the installed files differ from the layout"
for program in bin/vossa bin/vossa-pack lib/vossa/vossa; do
    [ -x "$prefix/$program" ] || fail "$program is not executable"
done
cmp -s "$VOSSA_RUN_DIR/vossadata.bin" "$prefix/share/vossa/vossadata.bin" ||
    fail "the installed asset pack is not the generated one"
"$prefix/bin/vossa-pack" verify "$prefix/share/vossa/vossadata.bin" >/dev/null ||
    fail "vossa-pack does not accept the installed pack"
if grep -qF -e "$VOSSA_BINARY_DIR" -e "$VOSSA_SOURCE_DIR" -e "$prefix" "$prefix/bin/vossa"; then
    fail "the launcher names an absolute path of the build or the installation"
fi

desktop="$prefix/share/applications/vossa.desktop"
grep -qx "Exec=$prefix/bin/vossa" "$desktop" || fail "desktop entry: Exec is not the launcher"
grep -qx "TryExec=$prefix/bin/vossa" "$desktop" || fail "desktop entry: TryExec is not the launcher"
grep -qx "Icon=vossa" "$desktop" || fail "desktop entry: Icon is not the themed name"
grep -qx "Terminal=false" "$desktop" || fail "desktop entry: opens a terminal"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || fail "desktop entry does not validate"
fi

# A prefix with characters the desktop entry format reserves: Exec is quoted and escaped.
odd="$scratch/my games \$1"
install_to "$odd"
grep -qxF "Exec=\"$scratch/my games \\\\\$1/bin/vossa\"" "$odd/share/applications/vossa.desktop" ||
    fail "desktop entry: Exec under '$odd' is not quoted: $(grep '^Exec=' "$odd/share/applications/vossa.desktop")"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$odd/share/applications/vossa.desktop" ||
        fail "desktop entry under '$odd' does not validate"
fi

# Icons: PNG of their folder's size, transparent around the rounded card, opaque in the middle.
if command -v identify >/dev/null; then
    for size in 16 32 48 64 128 256; do
        icon="$prefix/share/icons/hicolor/${size}x${size}/apps/vossa.png"
        info=$(identify -format '%m %w %h %[opaque]' "$icon") || fail "$icon does not decode"
        [ "${info,,}" = "png $size $size false" ] || fail "$icon: $info"
        half=$((size / 2))
        alpha=$(convert "$icon" -crop "1x1+$half+$half" -alpha extract -depth 8 txt:- | tail -n 1)
        case "$alpha" in *"gray(255)"* | *"#FFFFFF"*) ;; *) fail "$icon: the middle is not opaque: $alpha" ;; esac
    done
fi
echo "layout ok"
