#!/usr/bin/env bash
# Installs the Debian packages that the build and the tests need, when they are missing.
# The build core uses the standard library only; the tools link CLI11 and nlohmann-json,
# the tests GoogleTest, expat and groff (to read the manual page), the fuzz run clang's libFuzzer;
# the report page is tested in headless Chromium, driven by a Python script.
set -euo pipefail
pacchetti=(cmake g++ make libgtest-dev libgmock-dev clang libclang-rt-14-dev libcli11-dev nlohmann-json3-dev libexpat1-dev chromium python3 groff-base)
mancanti=()
for p in "${pacchetti[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || mancanti+=("$p")
done
[ ${#mancanti[@]} -eq 0 ] && exit 0
echo "Installazione dei pacchetti mancanti: ${mancanti[*]}"
sudo_=""
[ "$(id -u)" -ne 0 ] && sudo_="sudo"
$sudo_ apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo_ apt-get install -y -qq "${mancanti[@]}"
