#!/usr/bin/env bash
# Starts the Windows build under Wine the way the end-to-end suite starts the Linux program
# (VOSSA_E2E_GAME names this script), in the test's folder. That folder plays the player's
# %APPDATA%\Vossa: its vossadata.bin (the test's pack, which takes the place of the installed
# one) and vossaconfig.bin are put there before the start, the settings are brought back after
# the end. VOSSA_WINDOWS_EXE is vossa.exe in a folder without a pack, or the Start-menu
# shortcut of an installed copy (then the installed pack is the one read). Also needs WINEPREFIX
# and VOSSA_WINE_APPDATA (the Unix path of %APPDATA%). The exit status is the program's.
set -u
player="$VOSSA_WINE_APPDATA/Vossa"
rm -rf "$player" && mkdir -p "$player"
if [[ "$VOSSA_WINDOWS_EXE" != *.lnk && -f vossadata.bin ]]; then
    cp vossadata.bin "$player/"
fi
if [ -f vossaconfig.bin ]; then
    cp vossaconfig.bin "$player/"
fi

# Without a window manager nothing gives the game's window the keyboard focus: once it is shown,
# focus it (xdotool waits for it).
(xdotool search --sync --onlyvisible --classname vossa.exe windowfocus >/dev/null 2>&1 &)
program=$VOSSA_WINDOWS_EXE
if [[ "$program" == *.lnk ]]; then
    # The shortcut's target, as the shell would start it ("start /wait" does not wait for a
    # shortcut's program under Wine).
    program=$(strings "$program" | grep -m1 -i '^[a-z]:\\.*\.exe$')
fi
wine "$program"
status=$?
if [ -f "$player/vossaconfig.bin" ]; then
    cp "$player/vossaconfig.bin" .
fi
exit $status
