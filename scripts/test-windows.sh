#!/usr/bin/env bash
# The Windows stage of `make test`: builds the Windows program (scripts/build-windows.sh, whose
# libraries stay cached in build-windows/) and runs it under Wine on a virtual display, in a
# fresh Wine prefix under build-windows/: the Windows unit tests, then the end-to-end suite's
# whole trick by keyboard, failed start-ups and the settings of a run landing in %APPDATA%\Vossa,
# then the installer (silent install, the installed program started from its Start-menu entry,
# silent uninstall that leaves the settings). Needs the Linux build's test_e2e. Exit status
# non-zero on any failure.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
out=$root/build-windows
version=$(sed -n 's/^project(Vossa VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
failed=()

bash scripts/build-windows.sh || { echo "FAILED: the Windows build"; exit 1; }
cmake --build build -j "$(nproc)" --target test_e2e >/dev/null || { echo "FAILED: test_e2e"; exit 1; }

export WINEPREFIX=$out/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export SDL_AUDIODRIVER=dummy
# Wine takes the system's language from the C library's locale, which must exist for that:
# the one the tests start the game in is made privately.
mkdir -p "$out/locale"
[ -d "$out/locale/pl_PL.UTF-8" ] || localedef -i pl_PL -f UTF-8 "$out/locale/pl_PL.UTF-8"
export LOCPATH=$out/locale
rm -rf "$WINEPREFIX"
wineboot -i >/dev/null 2>&1
appdata=$(winepath -u "$(wine cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')")
programs=$(winepath -u "$(wine cmd /c echo %ProgramFiles% 2>/dev/null | tr -d '\r')")
menu=$(winepath -u "$(wine cmd /c echo %ProgramData% 2>/dev/null | tr -d '\r')")
menu="$menu/Microsoft/Windows/Start Menu/Programs"
export VOSSA_WINE_APPDATA=$appdata

echo "-- Windows unit tests"
wine "$out/game/tests/windows/vossa_windows_tests.exe" --gtest_brief=1 || failed+=("unit tests")

# The end-to-end suite with the Windows program standing in for the Linux one.
e2e() {
    VOSSA_E2E_GAME=$root/tests/windows/wine-game.sh VOSSA_SOURCE_DIR=$root \
        VOSSA_BINARY_DIR=$root/build VOSSA_RUN_DIR=$root/build/run \
        build/tests/e2e/test_e2e --gtest_brief=1 --gtest_filter="$1"
}
echo "-- End-to-end under Wine"
VOSSA_WINDOWS_EXE=$out/game/run/vossa.exe \
    e2e 'KeysAndLanguages.WholeTrickByKeyboardRevealsTheFollowedCard:Startup.*' ||
    failed+=("end-to-end")

echo "-- Installer"
installed="$programs/Vossa"
wine "$out/vossa-$version-setup.exe" /S /AllUsers && wineserver -w
if [ -x "$installed/vossa.exe" ] && [ -f "$installed/vossadata.bin" ] &&
   [ -f "$menu/Vossa.lnk" ] && wine reg query \
       'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vossa' /v DisplayVersion |
       grep -q "$version"; then
    # The installed program from its Start-menu entry, its own pack, the settings in %APPDATA%.
    VOSSA_WINDOWS_EXE="$menu/Vossa.lnk" e2e 'Startup.TheRunsSettingsLandInThePlayersFile' ||
        failed+=("installed program")
    [ -f "$appdata/Vossa/vossaconfig.bin" ] || failed+=("settings of the installed program")
    wine "$installed/uninstall.exe" /S /AllUsers && wineserver -w
    if [ -e "$installed" ] || [ -e "$menu/Vossa.lnk" ] || wine reg query \
           'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vossa' >/dev/null 2>&1; then
        failed+=("uninstaller leaves the program")
    fi
    [ -f "$appdata/Vossa/vossaconfig.bin" ] || failed+=("uninstaller removes the settings")
else
    failed+=("installer")
fi
wineserver -k 2>/dev/null

if [ ${#failed[@]} -ne 0 ]; then
    echo "FAILED (Windows): ${failed[*]}"
    exit 1
fi
echo "Windows stage passed."
