#!/bin/bash
# deb_package.sh CPACK BUILD_DIR EXPECT_GUI INSTALL_SCRIPT
# Builds the .deb of BUILD_DIR, checks what it installs and needs, unpacks it
# into a scratch root and runs karvo-cli from there.
set -u
cpack=$1 build=$2 expect_gui=$3 install_script=$4

for tool in dpkg-deb "$cpack"; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: $tool is not installed"
        exit 77
    fi
done

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() {
    echo "FAIL: $*"
    exit 1
}

if ! "$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" \
    -D CPACK_INSTALL_CMAKE_PROJECTS= -D "CPACK_INSTALL_SCRIPTS=$install_script" \
    >"$scratch/cpack.log" 2>&1; then
    cat "$scratch/cpack.log"
    fail "cpack -G DEB did not build the package"
fi
shopt -s nullglob
debs=("$scratch"/out/*.deb)
[ ${#debs[@]} -eq 1 ] || fail "expected one .deb, found ${#debs[@]}"
deb=${debs[0]}
echo "package: $(basename "$deb") ($(stat -c %s "$deb") bytes)"

# What it installs.
contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
expected=(./usr/bin/karvo-cli
          ./usr/share/karvo/KARVO_e.usb ./usr/share/karvo/KARVO_m.usb
          ./usr/share/karvo/chimes.wav ./usr/share/karvo/error.wav ./usr/share/karvo/notify.wav
          ./usr/lib/udev/rules.d/70-karvo-mk2.rules
          ./usr/share/applications/karvo.desktop
          ./usr/share/icons/hicolor/scalable/apps/karvo.svg)
[ "$expect_gui" = 1 ] && expected+=(./usr/bin/karvo)
for path in "${expected[@]}"; do
    grep -qxF "$path" <<<"$contents" || fail "the package does not install $path"
done

# What it needs.
control=$(dpkg-deb -f "$deb" Package Version Architecture Depends)
echo "$control"
depends=$(dpkg-deb -f "$deb" Depends)
needed=(libc6 libstdc++6 libqt6core6 libhidapi-hidraw0 libfmt9 zlib1g)
[ "$expect_gui" = 1 ] && needed+=(libqt6widgets6 libqt6multimedia6)
names=$(sed -E 's/ *\([^)]*\)//g; s/, */\n/g' <<<"$depends")
for package in "${needed[@]}"; do
    grep -qxF "$package" <<<"$names" || fail "Depends lacks $package: $depends"
done
[ "$(dpkg-deb -f "$deb" Version)" = "$(awk -F'"' '/CPACK_PACKAGE_VERSION "/{print $2; exit}' "$build/CPackConfig.cmake")" ] ||
    fail "version differs from the project's"

# Installed into a scratch root, it runs from there and finds its data files
# beside its bin/ folder.
root=$scratch/root
dpkg -x "$deb" "$root" 2>/dev/null || dpkg-deb -x "$deb" "$root" || fail "dpkg -x failed"
version=$("$root/usr/bin/karvo-cli" --version) || fail "karvo-cli --version failed"
[ "$version" = "karvo-cli $(dpkg-deb -f "$deb" Version)" ] || fail "--version printed '$version'"
found=$(cd / && "$root/usr/bin/karvo-cli" --virtual --settings "$scratch/settings.ini" -e "find 27C256") ||
    fail "the unpacked karvo-cli found no catalogue"
grep -q "^KARVO_e.usb" <<<"$found" || fail "find listed: $found"
echo "karvo-cli from the unpacked package: $version"
echo PASS
