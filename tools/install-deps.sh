#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need.
# As root it installs what is missing; otherwise it prints the one command to run.
set -eu
missing=()
for pkg in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$pkg")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -eq 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
else
    echo "Missing Debian packages. Run:" >&2
    echo "  sudo apt-get install -y ${missing[*]}" >&2
    exit 1
fi
