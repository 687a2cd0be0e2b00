#!/usr/bin/env python3
"""Checks what make dist writes for packagers against the downloads beside it.

SHA256SUMS names both downloads with their real hashes. The winget set (schema 1.6.0,
multi-file) has the fields each of its schemas requires, with values that fit them, names
one package and version throughout, and sends winget to the setup, per user, with silent
switches and no command alias. The Scoop manifest has the fields its documentation requires,
points at the zip, and starts the program only in its own folder: no shim, a shortcut into a
persisted folder that the zip fills, and no persisted file (Scoop would make a folder of it).

Usage: check-manifests.py <dist dir> <version> <base url>
"""

import hashlib
import json
import os
import re
import sys
import zipfile

import yaml

ID = 'Adagiomill.Adagiomill'
# The "required" lists of the 1.6.0 schemas, and the values their enums allow.
REQUIRED = {
    'version': ['PackageIdentifier', 'PackageVersion', 'DefaultLocale', 'ManifestType',
                'ManifestVersion'],
    'defaultLocale': ['PackageIdentifier', 'PackageVersion', 'PackageLocale', 'Publisher',
                      'PackageName', 'License', 'ShortDescription', 'ManifestType',
                      'ManifestVersion'],
    'installer': ['PackageIdentifier', 'PackageVersion', 'Installers', 'ManifestType',
                  'ManifestVersion'],
}
INSTALLER_REQUIRED = ['Architecture', 'InstallerUrl', 'InstallerSha256']
INSTALLER_TYPES = {'msix', 'msi', 'appx', 'exe', 'zip', 'inno', 'nullsoft', 'wix', 'burn',
                   'pwa', 'portable'}
ARCHITECTURES = {'x86', 'x64', 'arm', 'arm64', 'neutral'}
IDENTIFIER = re.compile(r'^[^.\s\\/:*?"<>|\x01-\x1f]{1,32}(\.[^.\s\\/:*?"<>|\x01-\x1f]{1,32}){1,7}$')
SCOOP_REQUIRED = ['version', 'description', 'homepage', 'license']

failures = []
passes = []


def check(what, ok):
    (passes if ok else failures).append(what)


def sha256(path):
    with open(path, 'rb') as f:
        return hashlib.sha256(f.read()).hexdigest()


def check_sums(dist, downloads):
    lines = open(os.path.join(dist, 'SHA256SUMS')).read().splitlines()
    listed = dict(reversed(line.split(None, 1)) for line in lines)
    check('SHA256SUMS lists the two downloads', sorted(listed) == sorted(downloads))
    for name in downloads:
        check(f'SHA256SUMS has the hash of {name}', listed.get(name) == sha256(os.path.join(dist, name)))


def check_winget(dist, version, url, setup):
    folder = os.path.join(dist, 'winget', 'manifests', 'a', 'Adagiomill', 'Adagiomill', version)
    names = {'version': f'{ID}.yaml', 'defaultLocale': f'{ID}.locale.en-US.yaml',
             'installer': f'{ID}.installer.yaml'}
    check('the winget folder holds the three files', sorted(os.listdir(folder)) == sorted(names.values()))
    manifests = {kind: yaml.safe_load(open(os.path.join(folder, name))) for kind, name in names.items()}
    for kind, manifest in manifests.items():
        for field in REQUIRED[kind]:
            check(f'winget {kind}: {field} present', manifest.get(field) not in (None, '', []))
        check(f'winget {kind}: ManifestType', manifest.get('ManifestType') == kind)
        check(f'winget {kind}: ManifestVersion 1.6.0', manifest.get('ManifestVersion') == '1.6.0')
        check(f'winget {kind}: PackageIdentifier', manifest.get('PackageIdentifier') == ID)
        check(f'winget {kind}: PackageVersion', str(manifest.get('PackageVersion')) == version)
    check('winget identifier fits the schema', IDENTIFIER.match(ID) is not None)
    check('winget default locale is the locale file\'s',
          manifests['version']['DefaultLocale'] == manifests['defaultLocale']['PackageLocale'])

    installer = manifests['installer']
    check('winget: one installer', len(installer['Installers']) == 1)
    for entry in installer['Installers']:
        for field in INSTALLER_REQUIRED:
            check(f'winget installer: {field} present', entry.get(field))
        merged = {**installer, **entry}
        check('winget: architecture known', merged['Architecture'] in ARCHITECTURES)
        check('winget: the setup is a nullsoft installer',
              merged.get('InstallerType') == 'nullsoft' and merged['InstallerType'] in INSTALLER_TYPES)
        check('winget: per user', merged.get('Scope') == 'user')
        check('winget: the setup\'s address', merged['InstallerUrl'] == f'{url.rstrip("/")}/{os.path.basename(setup)}')
        check('winget: the setup\'s hash', str(merged['InstallerSha256']).lower() == sha256(setup))
        switches = merged.get('InstallerSwitches') or {}
        check('winget: silent switches', switches.get('Silent') == '/S' and switches.get('SilentWithProgress') == '/S')
        check('winget: no command alias', 'Commands' not in merged)
        check('winget: an upgrade installs over the old version', merged.get('UpgradeBehavior') == 'install')


def check_scoop(dist, version, url, archive):
    manifest = json.load(open(os.path.join(dist, 'scoop', 'adagiomill.json')))
    for field in SCOOP_REQUIRED:
        check(f'scoop: {field} present', manifest.get(field))
    check('scoop: version', manifest.get('version') == version)
    source = manifest.get('architecture', {}).get('64bit', manifest)
    check('scoop: the zip\'s address', source.get('url') == f'{url.rstrip("/")}/{os.path.basename(archive)}')
    check('scoop: the zip\'s hash', source.get('hash', '').lower().removeprefix('sha256:') == sha256(archive))
    check('scoop: no shim', 'bin' not in manifest)

    folder = manifest.get('extract_to', '')
    persisted = manifest.get('persist', [])
    persisted = [persisted] if isinstance(persisted, str) else persisted
    packed = zipfile.ZipFile(archive).namelist()
    check('scoop: the program\'s folder persisted whole, and nothing else', persisted == [folder] and folder)
    shortcuts = manifest.get('shortcuts', [])
    check('scoop: one Start-menu shortcut', len(shortcuts) == 1)
    for target, *_ in shortcuts:
        start_in, program = os.path.split(target.replace('\\', '/'))
        check('scoop: the shortcut starts in the persisted folder', start_in == folder)
        check('scoop: the shortcut starts the program the zip holds', program == 'Adagiomill.exe' and program in packed)


def main():
    dist, version, url = sys.argv[1:4]
    archive = os.path.join(dist, f'Adagiomill-{version}-win64.zip')
    setup = os.path.join(dist, f'Adagiomill-{version}-setup.exe')
    print('== Package manifests ==')
    for part in (lambda: check_sums(dist, [os.path.basename(archive), os.path.basename(setup)]),
                 lambda: check_winget(dist, version, url, setup),
                 lambda: check_scoop(dist, version, url, archive)):
        try:
            part()
        except (OSError, KeyError, TypeError, ValueError, AttributeError, yaml.YAMLError) as error:
            failures.append(f'unreadable: {error!r}')
    for failure in failures:
        print(f'FAILED: {failure}')
    print(f'{len(passes)} passed, {len(failures)} failed')
    sys.exit(1 if failures else 0)


if __name__ == '__main__':
    main()
