#!/usr/bin/env bash
# Renders a report page to a PNG in headless Chromium, to look at it as a driver would.
#   scripts/rendi_pagina.sh PAGE.html OUT.png [WIDTH]
# The viewport is exactly WIDTH pixels (default 1280) and the image the whole page.
# Installs Debian's chromium when it is missing.
set -euo pipefail
pagina=$(realpath "$1")
immagine=$(realpath -m "$2")
larghezza=${3:-1280}
if ! command -v chromium >/dev/null; then
  sudo_=""
  [ "$(id -u)" -ne 0 ] && sudo_="sudo"
  $sudo_ apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_ apt-get install -y -qq chromium
fi
python3 "$(dirname "$0")/prova_pagina.py" --pagina "$pagina" --larghezza "$larghezza" --png "$immagine"
echo "$immagine"
