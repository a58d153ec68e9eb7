# The tools that draw the splash and the menu's backdrop take the packager's title from
# res/data, read as the player reads it, and cut it with ".." where it does not fit. Drawing
# the pictures takes minutes, so the title they would draw is what is checked.
source "$SOURCE_DIR/tests/support/e2e.sh"

# title_of TEXT ROOM: the title drawn from a res/data holding TEXT (printf escapes) in ROOM
# pixels.
title_of() {
  printf "$1" >"$E2E_TMP/data"
  python3 - "$SOURCE_DIR/tools" "$E2E_TMP/data" "$2" <<'EOF'
import sys
sys.path.insert(0, sys.argv[1])
from game_title import fit, read_title
print(fit(read_title(sys.argv[2]), int(sys.argv[3])))
EOF
}
expect_title() {   # TEXT ROOM TITLE
  local got
  got=$(title_of "$1" "$2")
  [ "$got" = "$3" ] || fail "res/data '$1' in $2 pixels: '$got', not '$3'"
}

expect_title '\xef\xbb\xbftitle=Blue Harbour\r\nplayers=1\r\n' 1000 'Blue Harbour'
expect_title 'players=2\n' 1000 'Game'
expect_title 'players=2 title=Late\ntitle=Early\n' 1000 'Game'   # the first line holding it decides
expect_title 'title=Blue Harbour\n' 250 'Blue Harb..'
pass "the pictures' title comes from res/data"
exit 0
