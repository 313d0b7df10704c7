#!/usr/bin/env bash
# Makes the release packages for Windows users (`make dist`, or the native tree's target dist):
#
#   Wavelith-V-portable.zip   the program as Wavelith_O.exe, wavelith-script.exe, quellix.chm,
#                             README.txt, LICENSE.txt, and the administrators' policy templates
#                             in policy/ (wavelith.admx, en-US/ and ja-JP/wavelith.adml). A
#                             program named ..._O.exe keeps its
#                             settings in quellix.ini beside it from the first start on, so the
#                             unpacked folder is portable without a switch or a prepared file.
#   Wavelith-V-setup.exe      the per-user installer (tools/dist/wavelith.nsi)
#   winget/manifests/h/Harvenlock/Wavelith/V/   version, installer and locale manifests, with the
#                             installer's SHA-256 and, unless --installer-url gives the address
#                             the installer is published at, a placeholder URL to replace
#
#   tools/make-dist.sh --version V --programs WIN64_DIR --help quellix.chm --out DIR
#                      [--installer-url URL] [--website URL]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
fail() {
  echo "make-dist: $*" >&2
  exit 1
}

version="" programs="" help="" out="" installer_url="" website=""
while [ $# -gt 0 ]; do
  case "$1" in
    --version) version=$2 ;;
    --programs) programs=$2 ;;
    --help) help=$2 ;;
    --out) out=$2 ;;
    --installer-url) installer_url=$2 ;;
    --website) website=$2 ;;
    *) fail "unknown argument $1" ;;
  esac
  shift 2 || fail "$1 needs a value"
done

[[ $version =~ ^[0-9]+(\.[0-9]+){1,3}$ ]] || fail "--version needs a version number such as 1.2.3, not '$version'"
file_version=$version
while [[ $(tr -cd . <<< "$file_version" | wc -c) -lt 3 ]]; do file_version+=.0; done
for program in Wavelith.exe wavelith-script.exe; do
  [ -f "$programs/$program" ] || fail "$programs/$program is missing: build the Windows tree first (make win64)"
done
[ -f "$help" ] || fail "the help file '$help' is missing: build it first (make native builds quellix.chm)"
for tool in makensis zip sha256sum; do
  command -v "$tool" >/dev/null || fail "$tool is missing: run tools/install-deps.sh"
done

mkdir -p "$out"
out=$(cd "$out" && pwd)
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

# What both packages ship. Windows users read the texts in Notepad: CR LF line ends.
crlf() { sed 's/\r$//; s/$/\r/' "$@"; }
mkdir "$stage/common"
cp "$programs/wavelith-script.exe" "$help" "$stage/common/"
[ "$(basename "$help")" = quellix.chm ] || mv "$stage/common/$(basename "$help")" "$stage/common/quellix.chm"
crlf "$root/LICENSE" > "$stage/common/LICENSE.txt"
# The README has Japanese too: a byte-order mark tells older Notepads it is UTF-8.
{ printf '\xEF\xBB\xBF'; sed "s/@VERSION@/$version/g" "$root/tools/dist/README.txt" | crlf; } > "$stage/common/README.txt"
# The policy templates as Windows' own tools expect them: a folder per language beside the .admx.
policy_files="policy/wavelith.admx policy/en-US/wavelith.adml policy/ja-JP/wavelith.adml"
for file in $policy_files; do
  mkdir -p "$(dirname "$stage/common/$file")"
  crlf "$root/tools/dist/$file" > "$stage/common/$file"
done

# ---- portable zip ----
zip_name="Wavelith-$version-portable.zip"
mkdir "$stage/portable"
cp -R "$stage/common/"* "$stage/portable/"
cp "$programs/Wavelith.exe" "$stage/portable/Wavelith_O.exe"
rm -f "$out/$zip_name"
(cd "$stage/portable" && zip -q -X -9 "$out/$zip_name" Wavelith_O.exe wavelith-script.exe quellix.chm README.txt LICENSE.txt $policy_files)

# ---- installer ----
setup_name="Wavelith-$version-setup.exe"
mkdir "$stage/installer"
cp -R "$stage/common/"* "$stage/installer/"
cp "$programs/Wavelith.exe" "$stage/installer/"
makensis -V2 -INPUTCHARSET UTF8 \
  "-DVERSION=$version" "-DFILE_VERSION=$file_version" "-DSOURCE=$stage/installer" \
  "-DICON=$root/resources/wavelith_on.ico" "-DOUTFILE=$out/$setup_name" \
  "$root/tools/dist/wavelith.nsi"

# ---- winget manifests ----
sha256=$(sha256sum "$out/$setup_name" | cut -d' ' -f1 | tr a-f A-F)
url=${installer_url:-https://example.invalid/REPLACE-WITH-THE-DOWNLOAD-ADDRESS/$setup_name}
manifests="$out/winget/manifests/h/Harvenlock/Wavelith/$version"
rm -rf "$out/winget"
mkdir -p "$manifests"
id=Harvenlock.Wavelith
schema="# yaml-language-server: \$schema=https://aka.ms/winget-manifest"
publisher_url=${website:+PublisherUrl: $website}

cat > "$manifests/$id.yaml" <<EOF
$schema.version.1.6.0.schema.json
PackageIdentifier: $id
PackageVersion: $version
DefaultLocale: en-US
ManifestType: version
ManifestVersion: 1.6.0
EOF

cat > "$manifests/$id.installer.yaml" <<EOF
$schema.installer.1.6.0.schema.json
# InstallerUrl: the address the installer is published at. make-dist fills it from
# --installer-url (CMake: WAVELITH_INSTALLER_URL); otherwise replace the placeholder before
# submitting. The SHA-256 belongs to the installer built with these manifests.
PackageIdentifier: $id
PackageVersion: $version
MinimumOSVersion: 10.0.0.0
InstallerType: nullsoft
Scope: user
InstallModes:
  - interactive
  - silent
  - silentWithProgress
InstallerSwitches:
  Silent: /S
  SilentWithProgress: /S
UpgradeBehavior: install
ProductCode: Wavelith
AppsAndFeaturesEntries:
  - DisplayName: Wavelith
    Publisher: Harvenlock
    DisplayVersion: $version
    ProductCode: Wavelith
Installers:
  - Architecture: x64
    InstallerUrl: $url
    InstallerSha256: $sha256
ManifestType: installer
ManifestVersion: 1.6.0
EOF

cat > "$manifests/$id.locale.en-US.yaml" <<EOF
$schema.defaultLocale.1.6.0.schema.json
PackageIdentifier: $id
PackageVersion: $version
PackageLocale: en-US
Publisher: Harvenlock
$publisher_url
PackageName: Wavelith
License: MIT
Copyright: Copyright (c) 2026 Harvenlock
ShortDescription: Keeps the computer awake from the notification area by shaking the mouse now and then.
Description: >-
  Wavelith keeps Windows from starting the screen saver, locking the screen or going to sleep.
  On a timer it shakes the mouse in one of twelve patterns, taps a harmless key, or runs your own
  script in its small language DO-Rozude. It can pause by itself when you move the mouse, and can
  refuse the end of the session.
Moniker: wavelith
Tags:
  - keep-awake
  - screensaver
  - sleep
  - tray
ManifestType: defaultLocale
ManifestVersion: 1.6.0
EOF

cat > "$manifests/$id.locale.ja-JP.yaml" <<EOF
$schema.locale.1.6.0.schema.json
PackageIdentifier: $id
PackageVersion: $version
PackageLocale: ja-JP
Publisher: Harvenlock
$publisher_url
PackageName: ウェーブリス
License: MIT
Copyright: Copyright (c) 2026 Harvenlock
ShortDescription: 通知領域からマウスをときどき少し動かして、コンピューターをスリープさせないようにします。
ManifestType: locale
ManifestVersion: 1.6.0
EOF
# An empty PublisherUrl line would be a blank line: harmless in YAML, but tidy it away.
sed -i '/^$/d' "$manifests"/*.yaml

echo "make-dist: in $out:"
(cd "$out" && ls -l "$zip_name" "$setup_name" | awk '{print "  " $5 " bytes  " $9}')
echo "  winget/manifests/h/Harvenlock/Wavelith/$version/ (installer SHA-256 $sha256)"
[ -n "$installer_url" ] || echo "make-dist: the winget InstallerUrl is a placeholder: set WAVELITH_INSTALLER_URL (or --installer-url) to the download address"
