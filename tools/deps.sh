# Sourced by ./play and ./test: installs the Debian packages the build needs, only those missing.
tob_install() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}
# xfonts-base: the font SDL's message box draws with on X, where the game says why it must stop.
TOB_BUILD_PACKAGES=(g++ cmake make pkg-config libsdl2-dev libsdl2-image-dev libvorbis-dev libogg-dev
  libdumb1-dev libtinyxml-dev libgl-dev libgl1-mesa-dri python3 python3-pil python3-numpy fonts-dejavu-core vorbis-tools
  xfonts-base)
TOB_TEST_PACKAGES=(libgtest-dev libgmock-dev libbenchmark-dev libx11-dev xvfb xauth xdotool imagemagick)
TOB_JOBS=$(nproc 2>/dev/null || echo 2)
