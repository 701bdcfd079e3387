# Shared by run.sh and test.sh: the Debian packages Vellumora builds, runs and
# tests with, and a helper that installs the missing ones.
VLM_PACKAGES=(
  build-essential cmake ninja-build ccache
  qt6-base-dev qt6-svg-dev qt6-image-formats-plugins libjpeg-dev libgif-dev libuemf-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core fonts-liberation2
  xvfb xauth poppler-utils python3
  glabels-data
)

vlm_missing_packages() {
  local missing=()
  for p in "${VLM_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  echo "${missing[@]}"
}

vlm_ensure_packages() {
  local missing
  missing=$(vlm_missing_packages)
  [ -z "$missing" ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "Vellumora needs these Debian packages first:" >&2
    echo "  sudo apt-get install $missing" >&2
    exit 1
  fi
  echo "Installing: $missing"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  # shellcheck disable=SC2086
  apt-get install -y -qq $missing
}
