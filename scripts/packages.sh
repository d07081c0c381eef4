# Debian packages the project needs; sourced by scripts/play, scripts/test and scripts/package.
RUN_PACKAGES="cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins
  qt6-translations-l10n libexpat1-dev libpng-dev libjpeg-dev zlib1g-dev libsdl2-dev
  libsdl2-mixer-dev libfluidsynth-dev timgm6mb-soundfont fonts-wqy-zenhei fonts-bebas-neue
  libsimpleini-dev xdg-utils qt6-l10n-tools qt6-tools-dev libxcb1-dev libxcb-shm0-dev"
TEST_PACKAGES="libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth xdotool x11-utils imagemagick
  desktop-file-utils appstream man-db dpkg-dev lintian"
# Making the Debian package: dpkg-shlibdeps and the build flags; lintian checks the result.
PACKAGE_PACKAGES="dpkg-dev lintian"

# Installs whatever of the given packages is missing; apt-get update only when needed.
install_packages() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
