#!/usr/bin/env bash
# Checks the release packages that the target dist made, then tries them under Wine:
#
#   tools/check-dist.sh DIST_DIR WIN64_DIR VERSION
#
# The zip holds exactly the portable files and the very program that was built; the winget
# manifests name this version and the installer's SHA-256; then the Package tests of
# e2e_tests.exe install, start, update and uninstall with the installer and run the unpacked
# portable program.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
dist=$1 win64=$2 version=$3
fail() {
  echo "check-dist: $*" >&2
  exit 1
}

setup="$dist/Wavelith-$version-setup.exe"
zip="$dist/Wavelith-$version-portable.zip"
manifests="$dist/winget/manifests/h/Harvenlock/Wavelith/$version"
[ -f "$setup" ] || fail "no installer $setup"
[ -f "$zip" ] || fail "no portable zip $zip"
[ -d "$manifests" ] || fail "no winget manifests in $manifests"

listed=$(unzip -Z1 "$zip" | LC_ALL=C sort | tr '\n' ' ')
[ "$listed" = "LICENSE.txt README.txt Wavelith_O.exe policy/en-US/wavelith.adml policy/ja-JP/wavelith.adml policy/wavelith.admx quellix.chm wavelith-script.exe " ] ||
  fail "the zip holds: $listed"
unpacked=$(mktemp -d /tmp/wavelith-portable.XXXXXX)
trap 'rm -rf "$unpacked"' EXIT
unzip -q "$zip" -d "$unpacked"
cmp -s "$unpacked/Wavelith_O.exe" "$win64/Wavelith.exe" || fail "the zip's program is not $win64/Wavelith.exe"
python3 "$root/tools/check-policy-templates.py" "$unpacked/policy" || fail "the zip's policy templates are not usable"

python3 - "$manifests" "$version" "$(sha256sum "$setup" | cut -d' ' -f1)" <<'PY' || fail "the winget manifests do not match the installer"
import glob, os, sys, yaml
folder, version, sha256 = sys.argv[1:]
manifests = {}
for path in glob.glob(os.path.join(folder, "*.yaml")):
    with open(path, encoding="utf-8") as file:
        manifest = yaml.safe_load(file)
    manifests[manifest["ManifestType"]] = manifest
problems = []
for kind in ("version", "installer", "defaultLocale"):
    manifest = manifests.get(kind)
    if manifest is None:
        problems.append(f"no {kind} manifest")
        continue
    if manifest["PackageIdentifier"] != "Harvenlock.Wavelith" or str(manifest["PackageVersion"]) != version:
        problems.append(f"{kind}: {manifest['PackageIdentifier']} {manifest['PackageVersion']}")
    if tuple(map(int, str(manifest["ManifestVersion"]).split("."))) < (1, 6, 0):
        problems.append(f"{kind}: schema {manifest['ManifestVersion']}")
installer = manifests.get("installer", {})
entries = installer.get("Installers", [])
if [entry["InstallerSha256"].lower() for entry in entries] != [sha256]:
    problems.append(f"SHA-256 {[entry['InstallerSha256'] for entry in entries]}, the installer's is {sha256}")
if (installer.get("InstallerType"), installer.get("Scope")) != ("nullsoft", "user"):
    problems.append(f"installer type {installer.get('InstallerType')}, scope {installer.get('Scope')}")
for problem in problems:
    print("check-dist:", problem, file=sys.stderr)
sys.exit(1 if problems else 0)
PY

windows_path() { echo "Z:$(realpath "$1" | sed 's|/|\\|g')"; }
log=$(mktemp /tmp/wavelith-package-tests.XXXXXX)
trap 'rm -rf "$unpacked" "$log"' EXIT
status=0
WAVELITH_PACKAGE_INSTALLER=$(windows_path "$setup") WAVELITH_PACKAGE_PORTABLE=$(windows_path "$unpacked") \
  "$root/tools/wine-session.sh" "$win64/e2e_tests.exe" --gtest_filter='PackageTest.*' 2>&1 | tee "$log" || status=$?
[ "$status" = 0 ] || exit "$status"
# A test that skipped did not see the packages.
if grep -q '\[  SKIPPED \]' "$log" || ! grep -q '\[  PASSED  \] [1-9]' "$log"; then
  fail "the package tests did not all run"
fi
