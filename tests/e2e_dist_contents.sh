# The folder a build leaves for shipping holds exactly the player, the component and the
# shipped resources: no log, settings or state slots, even after a run from that folder.
source "$SOURCE_DIR/tests/support/e2e.sh"

expected=$(printf '%s\n' libox_core.so player res res/{back,crtf,crtv,data,font,game,overlay,s_hover,s_select,splash})
listing() { (cd "$DIST_DIR" && find . -mindepth 1 | sed 's|^\./||' | LC_ALL=C sort); }

[ "$(listing)" = "$expected" ] || fail "dist holds: $(listing | tr '\n' ' ')"
pass "dist holds exactly what is shipped"

# What a player started from dist would leave there; the next build takes it away.
for name in log conf 0S 0P conf.tmp; do echo "left by a run" > "$DIST_DIR/res/$name"; done
cmake --build "$BUILD_DIR" --target dist_res >/dev/null
[ "$(listing)" = "$expected" ] || fail "after a run from dist and a build, dist holds: $(listing | tr '\n' ' ')"
pass "a build removes what a run from dist left there"
