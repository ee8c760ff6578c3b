#!/usr/bin/env bash
# Installs the Debian packages that the build and the tests need, when they are missing, and the
# Italian locale that the tests run in. CMake drives the build through Ninja.
# The build core uses the standard library only; the tools link CLI11 and nlohmann-json,
# the tests GoogleTest, expat and groff (to read the manual page), the fuzz run clang's libFuzzer
# (linked by LLVM's lld);
# the report page is tested in headless Chromium, driven by a Python script. The messages come
# from GNU gettext catalogues (gettext's msgfmt and xgettext build and check them); glibc
# translates only under a locale that exists on the machine, so it_IT.UTF-8 is generated, and
# libc-l10n carries the system's own error texts in Italian. The page's script is linted with
# eslint and unit-tested in node: npm installs the eslint of package-lock.json. Neovim is the
# editor whose own LSP client drives the language server in a test; node tests the editor
# extension's grammar.
set -euo pipefail
pacchetti=(cmake ninja-build g++ make libgtest-dev libgmock-dev clang libclang-rt-14-dev lld libcli11-dev nlohmann-json3-dev libexpat1-dev chromium python3 groff-base gettext locales libc-l10n time libcpp-httplib-dev pkg-config neovim)
mancanti=()
for p in "${pacchetti[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || mancanti+=("$p")
done
# node and npm by command: a node from elsewhere brings its own npm, which Debian's would clash with.
command -v node >/dev/null || mancanti+=(nodejs)
command -v npm >/dev/null || mancanti+=(npm)
sudo_=""
[ "$(id -u)" -ne 0 ] && sudo_="sudo"
if [ ${#mancanti[@]} -gt 0 ]; then
  echo "Installing the missing packages: ${mancanti[*]}"
  $sudo_ apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_ apt-get install -y -qq "${mancanti[@]}"
fi
# "it_IT.utf8" is how locale -a names it_IT.UTF-8.
if ! locale -a 2>/dev/null | grep -qix 'it_IT\.utf-\?8'; then
  echo "Generating the it_IT.UTF-8 locale"
  # Enabled in /etc/locale.gen too, so that a later locale-gen keeps it.
  if grep -q '^# *it_IT.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
    $sudo_ sed -i 's/^# *\(it_IT.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  elif ! grep -q '^it_IT.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
    echo 'it_IT.UTF-8 UTF-8' | $sudo_ tee -a /etc/locale.gen >/dev/null
  fi
  $sudo_ locale-gen
fi
# eslint for the page's script, exactly as package-lock.json pins it, when it is not there yet.
radice="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
if [ ! -x "$radice/node_modules/.bin/eslint" ]; then
  echo "Installing eslint (npm ci)"
  (cd "$radice" && npm ci --no-audit --no-fund)
fi
