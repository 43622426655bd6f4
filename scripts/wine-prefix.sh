#!/usr/bin/env bash
# Creates the dedicated 32-bit Wine prefix used by the Windows tests:
# Wine's own fonts copied in, the core Windows font names mapped to the
# metric-compatible Liberation fonts, and the null display driver so that
# windows, dialogs and GDI work without an X server.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
stamp="$WINEPREFIX/.dorvane-prefix-v1"
[ -e "$stamp" ] && exit 0
rm -rf "$WINEPREFIX"
mkdir -p "$(dirname "$WINEPREFIX")"
DISPLAY= "$WINE" wineboot -i >/dev/null 2>&1 || true
wineserver -w
fonts="$WINEPREFIX/drive_c/windows/Fonts"
mkdir -p "$fonts"
cp -n /usr/share/wine/fonts/* "$fonts/" 2>/dev/null || true
for f in /usr/share/fonts/truetype/liberation/*.ttf; do cp -n "$f" "$fonts/"; done
reg=$(mktemp --suffix=.reg)
cat > "$reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Courier New"="Liberation Mono"
"Arial"="Liberation Sans"
"Arial Bold"="Liberation Sans"
"Times New Roman"="Liberation Serif"
"MS Sans Serif"="Liberation Sans"

[HKEY_CURRENT_USER\Software\Wine\Drivers]
"Graphics"="null"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000
REG
DISPLAY= "$WINE" regedit /S "$("$WINE" winepath -w "$reg")" >/dev/null 2>&1
wineserver -w
rm -f "$reg"
touch "$stamp"
