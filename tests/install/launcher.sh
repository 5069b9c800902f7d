#!/usr/bin/env bash
# The launcher's choice of folder and asset pack, with the game replaced by a stub that
# reports where it runs: the per-user folder under XDG_DATA_HOME or ~/.local/share, a relative
# XDG_DATA_HOME ignored, the pack linked (and re-linked after the installation moves), a
# player's own pack file kept, arguments passed on, start through a symbolic link, failures.
source "$(dirname "$0")/common.sh"

prefix="$scratch/prefix"
install_to "$prefix"
cat >"$prefix/lib/games/vossa/vossa" <<'STUB'
#!/usr/bin/env bash
echo "cwd=$PWD"
echo "args=$*"
if [ -L vossadata.bin ]; then echo "pack=$(readlink vossadata.bin)"; else echo "pack=file"; fi
STUB
chmod +x "$prefix/lib/games/vossa/vossa"

home="$scratch/home"
elsewhere="$scratch/elsewhere"
mkdir -p "$home" "$elsewhere"

# launch LAUNCHER [ENV...] [-- ARGS...]: runs it from $elsewhere with a clean environment.
launch() {
    local launcher=$1
    shift
    local env_args=()
    while [ $# -gt 0 ] && [ "$1" != "--" ]; do
        env_args+=("$1")
        shift
    done
    [ $# -gt 0 ] && shift
    (cd "$elsewhere" && env -i PATH="$PATH" "${env_args[@]}" "$launcher" "$@")
}

expect_line() {
    grep -qxF "$2" <<<"$1" || fail "expected '$2' in: $1"
}

# Default folder: ~/.local/share/vossa, made on demand; the pack linked; arguments passed on.
out=$(launch "$prefix/games/vossa" HOME="$home" -- one "two words")
expect_line "$out" "cwd=$home/.local/share/vossa"
expect_line "$out" "pack=$prefix/share/games/vossa/vossadata.bin"
expect_line "$out" "args=one two words"
[ -z "$(ls -A "$elsewhere")" ] || fail "the launcher wrote into the folder it was started from"

# An absolute XDG_DATA_HOME wins; a relative one is not valid and falls back to the default.
out=$(launch "$prefix/games/vossa" HOME="$home" XDG_DATA_HOME="$scratch/data")
expect_line "$out" "cwd=$scratch/data/vossa"
out=$(launch "$prefix/games/vossa" HOME="$home" XDG_DATA_HOME="relative/data")
expect_line "$out" "cwd=$home/.local/share/vossa"
[ ! -e "$elsewhere/relative" ] || fail "a relative XDG_DATA_HOME was used"
out=$(launch "$prefix/games/vossa" HOME="$home" XDG_DATA_HOME="")
expect_line "$out" "cwd=$home/.local/share/vossa"

# Started through a symbolic link elsewhere (as from /usr/games), it still finds its game.
mkdir -p "$scratch/links"
ln -s "$prefix/games/vossa" "$scratch/links/vossa"
out=$(launch "$scratch/links/vossa" HOME="$home")
expect_line "$out" "cwd=$home/.local/share/vossa"

# The installation moves: the stale link follows it.
mv "$prefix" "$scratch/moved"
out=$(launch "$scratch/moved/games/vossa" HOME="$home")
expect_line "$out" "pack=$scratch/moved/share/games/vossa/vossadata.bin"
[ -f "$home/.local/share/vossa/vossadata.bin" ] || fail "the link does not reach the moved pack"

# A player's own pack (a regular file) is used and left untouched.
folder="$home/.local/share/vossa"
rm "$folder/vossadata.bin"
echo "my own pack" >"$folder/vossadata.bin"
out=$(launch "$scratch/moved/games/vossa" HOME="$home")
expect_line "$out" "pack=file"
[ "$(cat "$folder/vossadata.bin")" = "my own pack" ] || fail "the player's own pack was replaced"

# Failures: no HOME and no XDG_DATA_HOME; the game program missing.
if launch "$scratch/moved/games/vossa" >"$scratch/out" 2>&1; then
    fail "started without HOME or XDG_DATA_HOME"
fi
grep -q "HOME" "$scratch/out" || fail "no message without HOME: $(cat "$scratch/out")"
rm "$scratch/moved/lib/games/vossa/vossa"
status=0
launch "$scratch/moved/games/vossa" HOME="$home" >"$scratch/out" 2>&1 || status=$?
[ "$status" -eq 1 ] || fail "a missing game program gave status $status"
grep -q "missing" "$scratch/out" || fail "no message for a missing game: $(cat "$scratch/out")"
echo "launcher ok"
