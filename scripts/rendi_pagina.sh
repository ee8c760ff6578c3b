#!/usr/bin/env bash
# Renders a report page to a PNG in headless Chromium, to look at it as a driver would.
#   scripts/rendi_pagina.sh PAGE.html OUT.png [WIDTH] [HEIGHT]
# Installs Debian's chromium when it is missing.
set -euo pipefail
pagina=$(realpath "$1")
immagine=$(realpath -m "$2")
larghezza=${3:-1460}
altezza=${4:-2000}
if ! command -v chromium >/dev/null; then
  sudo_=""
  [ "$(id -u)" -ne 0 ] && sudo_="sudo"
  $sudo_ apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_ apt-get install -y -qq chromium
fi
profilo=$(mktemp -d)
trap 'rm -rf "$profilo"' EXIT
chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
  --disable-background-networking --disable-component-update --disable-sync \
  --user-data-dir="$profilo" --hide-scrollbars --window-size="$larghezza,$altezza" \
  --screenshot="$immagine" "file://$pagina" 2>/dev/null
echo "$immagine"
