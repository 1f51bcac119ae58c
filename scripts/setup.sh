#!/usr/bin/env bash
# Installs what building and testing vyn needs, where it is missing:
# Debian packages (as root) and Python packages for each interpreter given
# (default: python3).
set -euo pipefail

packages=(g++ cmake ninja-build pkg-config libfyaml-dev nlohmann-json3-dev libgtest-dev)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi

for python in "${@:-python3}"; do
  "$python" -m pip install -q --disable-pip-version-check --root-user-action=ignore \
    "scikit-build-core>=0.10" ninja pytest hypothesis "pyromark==0.8.0"
done
