# Sourced by scenarios that give the setup its own temporary folder: TEMP and
# TMP of the user's environment in the scenario's prefix, which every program
# started in it inherits. Wine must not be running in the prefix.

set_user_temp() { # WINDOWS-PATH
    python3 - "$PREFIX/user.reg" "$1" <<'PY' || fail "TEMP could not be set in the prefix"
import re, sys
path, value = sys.argv[1], sys.argv[2].replace("\\", "\\\\")
text = open(path, encoding="latin-1").read()
text, count = re.subn(r'^"(TEMP|TMP)"=".*"$', lambda m: '"%s"="%s"' % (m.group(1), value), text, flags=re.M)
if count != 2:
    sys.exit("TEMP and TMP not found in " + path)
open(path, "w", encoding="latin-1").write(text)
PY
}
