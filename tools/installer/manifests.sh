#!/usr/bin/env bash
# Writes the package managers' manifests for the downloads beside them in the dist folder:
# a winget multi-file manifest set for the setup and a Scoop manifest for the zip.
#   DIST_URL       where the downloads will be published (their folder's address)
#   DIST_HOMEPAGE  the project's home page
# Usage: manifests.sh <dist dir> <version> <zip> <setup.exe>
set -euo pipefail
dist="$1" version="$2" zip="$3" setup="$4"
: "${DIST_URL:?DIST_URL is the address the downloads are published under}"
: "${DIST_HOMEPAGE:?DIST_HOMEPAGE is the home page of the project}"
url="${DIST_URL%/}"
released="$(date -u -d "@${SOURCE_DATE_EPOCH:?}" +%F)"
sha() { sha256sum "$1" | cut -d' ' -f1; }

id=Adagiomill.Adagiomill
publisher="The Adagiomill authors"
summary="Shows one quotation at a time in a compact window."
winget="$dist/winget/manifests/a/Adagiomill/Adagiomill/$version"
rm -rf "$dist/winget" "$dist/scoop"
mkdir -p "$winget" "$dist/scoop"

# Schema 1.6.0, multi-file form. The setup installs for the current user without elevation
# and starts the program only through its Start-menu shortcut, which starts in the program's
# folder: no command alias, which would start it in the caller's. An upgrade runs the new
# setup over the old one, which keeps index.txt and the user's modules.
cat >"$winget/$id.yaml" <<YAML
# yaml-language-server: \$schema=https://aka.ms/winget-manifest.version.1.6.0.schema.json
PackageIdentifier: $id
PackageVersion: $version
DefaultLocale: en-US
ManifestType: version
ManifestVersion: 1.6.0
YAML

cat >"$winget/$id.locale.en-US.yaml" <<YAML
# yaml-language-server: \$schema=https://aka.ms/winget-manifest.defaultLocale.1.6.0.schema.json
PackageIdentifier: $id
PackageVersion: $version
PackageLocale: en-US
Publisher: $publisher
PackageName: Adagiomill
PackageUrl: $DIST_HOMEPAGE
License: MIT
ShortDescription: $summary
Description: Adagiomill steps through the quotes of a quote module in order or at random, can close itself after a few seconds and can start whenever you log on. Its settings live in index.txt beside the program.
Tags:
- quotations
- quotes
ManifestType: defaultLocale
ManifestVersion: 1.6.0
YAML

cat >"$winget/$id.installer.yaml" <<YAML
# yaml-language-server: \$schema=https://aka.ms/winget-manifest.installer.1.6.0.schema.json
PackageIdentifier: $id
PackageVersion: $version
InstallerLocale: en-US
InstallerType: nullsoft
Scope: user
InstallModes:
- interactive
- silent
- silentWithProgress
InstallerSwitches:
  Silent: /S
  SilentWithProgress: /S
  InstallLocation: /D=<INSTALLPATH>
UpgradeBehavior: install
ProductCode: Adagiomill
ReleaseDate: $released
AppsAndFeaturesEntries:
- DisplayName: Adagiomill
  Publisher: $publisher
  DisplayVersion: $version
  ProductCode: Adagiomill
Installers:
- Architecture: x64
  InstallerUrl: $url/$(basename "$setup")
  InstallerSha256: $(sha "$setup" | tr 'a-f' 'A-F')
ManifestType: installer
ManifestVersion: 1.6.0
YAML

# Scoop keeps each version in a folder of its own. The program's folder is persisted whole,
# as a junction: a persisted file would be a hard link, which the program's save (a new file
# moved over index.txt) leaves behind. The new version's files are copied over the kept
# folder, which keeps index.txt and the user's modules. The Start-menu shortcut starts in the
# program's folder; no shim, which would start it in the caller's.
cat >"$dist/scoop/adagiomill.json" <<JSON
{
    "version": "$version",
    "description": "$summary",
    "homepage": "$DIST_HOMEPAGE",
    "license": "MIT",
    "architecture": {
        "64bit": {
            "url": "$url/$(basename "$zip")",
            "hash": "$(sha "$zip")"
        }
    },
    "extract_to": "Adagiomill",
    "persist": "Adagiomill",
    "post_install": [
        "if (Test-Path \"\$dir\\\\Adagiomill.original\") {",
        "    Copy-Item \"\$dir\\\\Adagiomill.original\\\\*\" \"\$dir\\\\Adagiomill\" -Recurse -Force",
        "}"
    ],
    "shortcuts": [
        [
            "Adagiomill\\\\Adagiomill.exe",
            "Adagiomill"
        ]
    ]
}
JSON
