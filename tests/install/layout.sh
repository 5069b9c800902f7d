#!/usr/bin/env bash
# The installed tree: exactly the expected files, executables where they should be, the build's
# asset pack, a launcher that names no build or source path, a valid desktop entry pointing at
# the installed launcher (also under a prefix with a space and a '$'), valid metainfo, readable
# manual pages, PNG icons of every size.
source "$(dirname "$0")/common.sh"

prefix="$scratch/prefix"
install_to "$prefix"

diff -u <(expected_files) <(list_files "$prefix") || fail "the installed files differ from the layout"
for program in games/vossa games/vossa-pack lib/games/vossa/vossa; do
    [ -x "$prefix/$program" ] || fail "$program is not executable"
done
cmp -s "$VOSSA_RUN_DIR/vossadata.bin" "$prefix/share/games/vossa/vossadata.bin" ||
    fail "the installed asset pack is not the generated one"
"$prefix/games/vossa-pack" verify "$prefix/share/games/vossa/vossadata.bin" >/dev/null ||
    fail "vossa-pack does not accept the installed pack"
if grep -qF -e "$VOSSA_BINARY_DIR" -e "$VOSSA_SOURCE_DIR" -e "$prefix" "$prefix/games/vossa"; then
    fail "the launcher names an absolute path of the build or the installation"
fi

desktop="$prefix/share/applications/$app_id.desktop"
grep -qx "Exec=$prefix/games/vossa" "$desktop" || fail "desktop entry: Exec is not the launcher"
grep -qx "TryExec=$prefix/games/vossa" "$desktop" || fail "desktop entry: TryExec is not the launcher"
grep -qx "Icon=vossa" "$desktop" || fail "desktop entry: Icon is not the themed name"
grep -qx "Terminal=false" "$desktop" || fail "desktop entry: opens a terminal"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || fail "desktop entry does not validate"
fi

# The metainfo validates (without the network: its screenshots live on the web site) and
# launches the installed desktop entry; the manual pages are compressed and carry no bad markup.
metainfo="$prefix/share/metainfo/$app_id.metainfo.xml"
grep -qF "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
    fail "the metainfo does not launch $app_id.desktop"
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net --pedantic "$metainfo" || fail "the metainfo does not validate"
fi
for page in vossa vossa-pack; do
    gzip -t "$prefix/share/man/man6/$page.6.gz" || fail "$page.6.gz is not gzip"
    if command -v man >/dev/null; then
        warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' man --warnings -E UTF-8 -l -Tutf8 -Z \
            "$prefix/share/man/man6/$page.6.gz" 2>&1 >/dev/null)
        [ -z "$warnings" ] || fail "$page.6: $warnings"
    fi
done

# A prefix with characters the desktop entry format reserves: Exec is quoted and escaped.
odd="$scratch/my games \$1"
install_to "$odd"
grep -qxF "Exec=\"$scratch/my games \\\\\$1/games/vossa\"" "$odd/share/applications/$app_id.desktop" ||
    fail "desktop entry: Exec under '$odd' is not quoted: $(grep '^Exec=' "$odd/share/applications/$app_id.desktop")"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$odd/share/applications/$app_id.desktop" ||
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
