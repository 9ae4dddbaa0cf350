#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from a configured and built build folder and checks it: its
# control data and contents, the desktop entry and AppStream metainfo, and the installed
# programs run from a scratch root. Where the Python module is built, also its package
# python3-varnel, and the module as `cmake --install` puts it into a prefix, each imported.
#   tools/check-package.sh BUILD_DIR
set -euo pipefail
build="$(cd "$1" && pwd)"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

cd "$build"
rm -f varnel-coils_*.deb python3-varnel_*.deb
cpack -G DEB >"$scratch/cpack.log" 2>&1 || { cat "$scratch/cpack.log"; exit 1; }
deb="$(ls varnel-coils_*.deb)"

fail() { echo "package check: $*" >&2; exit 1; }
info="$(dpkg-deb --info "$deb")"
grep -q "^ Package: varnel-coils$" <<<"$info" || fail "package name"
grep -q "^ Version: $(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' CMakeCache.txt)$" <<<"$info" || fail "version"
for dep in fonts-wine fonts-liberation libqt6widgets6 libc6; do
    grep -q "^ Depends:.*$dep" <<<"$info" || fail "no dependency on $dep"
done
contents="$(dpkg-deb --contents "$deb" | awk '{print $6}')"
for path in usr/bin/varnel-coils usr/bin/varnel-calc usr/libexec/varnel-coils/varnel-picture \
            usr/share/applications/org.varnelcoils.VarnelCoils.desktop \
            usr/share/metainfo/org.varnelcoils.VarnelCoils.metainfo.xml \
            usr/share/icons/hicolor/scalable/apps/varnel-coils.svg \
            usr/share/icons/hicolor/48x48/apps/varnel-coils.png \
            usr/share/man/man1/varnel-calc.1 \
            usr/share/doc/varnel-coils/copyright usr/share/doc/varnel-coils/LICENSE \
            usr/share/varnel-coils/wires-metric.csv usr/share/varnel-coils/materials.csv \
            usr/bin/varnel-studio \
            usr/share/applications/org.varnelcoils.VarnelStudio.desktop \
            usr/share/metainfo/org.varnelcoils.VarnelStudio.metainfo.xml \
            usr/share/icons/hicolor/scalable/apps/varnel-studio.svg \
            usr/share/icons/hicolor/48x48/apps/varnel-studio.png \
            usr/share/varnel-coils/translations/varnel-studio_ru.qm; do
    grep -qx "./$path" <<<"$contents" || fail "missing $path"
done

root="$scratch/root"
dpkg -x "$deb" "$root"
for app in VarnelCoils VarnelStudio; do
    desktop-file-validate "$root/usr/share/applications/org.varnelcoils.$app.desktop"
    appstreamcli validate --no-net "$root/usr/share/metainfo/org.varnelcoils.$app.metainfo.xml" >/dev/null
done

json="$("$root/usr/bin/varnel-calc" --json)"
grep -q '"eN": "229.2"' <<<"$json" || fail "installed varnel-calc gave: $json"
# A picture is drawn by the installed picture writer, found from the installed varnel-calc.
"$root/usr/bin/varnel-calc" map --x 0:0.01:3 --z 0:0.01:3 --out "$scratch/map.png" ||
    fail "installed varnel-calc drew no map"
[ "$(head -c 4 "$scratch/map.png" | tail -c 3)" = "PNG" ] || fail "installed varnel-calc map is no PNG"
# The design command finds the wire tables installed beside it.
design="$("$root/usr/bin/varnel-calc" design --B0 0.01 --voltage 12 --max-power 20 --bore 0.04 --count 1 --json)"
grep -q '"designs"' <<<"$design" || fail "installed varnel-calc design gave: $design"
# The menu entry's command starts the window and keeps it open until it is closed.
exec_line="$(sed -n 's/^Exec=//p' "$root/usr/share/applications/org.varnelcoils.VarnelCoils.desktop")"
status=0
QT_QPA_PLATFORM=offscreen timeout 3 "$root/usr/bin/$exec_line" >/dev/null 2>&1 || status=$?
[ "$status" -eq 124 ] || fail "the window ended at once with status $status"
exec_line="$(sed -n 's/^Exec=//p' "$root/usr/share/applications/org.varnelcoils.VarnelStudio.desktop" | sed 's/ %[fFuU]$//')"
status=0
QT_QPA_PLATFORM=offscreen timeout 3 "$root/usr/bin/$exec_line" >/dev/null 2>&1 || status=$?
[ "$status" -eq 124 ] || fail "the studio ended at once with status $status"

# The Python module, where it is built: its package, and `cmake --install` into a prefix.
cached() { sed -n "s/^$1:[A-Z]*=//p" CMakeCache.txt; }
if [ "$(cached VARNEL_BUILD_PYTHON)" = ON ]; then
    python="$(cached Python3_EXECUTABLE)"
    pydeb="$(ls python3-varnel_*.deb)"
    pyinfo="$(dpkg-deb --info "$pydeb")"
    grep -q "^ Package: python3-varnel$" <<<"$pyinfo" || fail "python package name"
    for dep in python3-numpy "varnel-coils (= "; do
        grep -q "^ Depends:.*$dep" <<<"$pyinfo" || fail "python3-varnel does not depend on $dep"
    done
    pycontents="$(dpkg-deb --contents "$pydeb" | awk '{print $6}')"
    site=usr/lib/python3/dist-packages/varnel
    for path in "$site/__init__.py" "$site/_varnel.pyi" "$site/py.typed" \
                usr/share/doc/python3-varnel/copyright; do
        grep -qx "./$path" <<<"$pycontents" || fail "python3-varnel lacks $path"
    done
    grep -q "^\./$site/_varnel\..*\.so$" <<<"$pycontents" || fail "python3-varnel lacks the module"
    grep -q "dist-packages" <<<"$contents" && fail "varnel-coils holds Python files"
    dpkg -x "$pydeb" "$root"
    expected="$(sed -n 's/^ *"eB0d": "\(.*\)",\?$/\1/p' <<<"$json")"
    got="$(PYTHONPATH="$root/usr/lib/python3/dist-packages" "$python" -c \
        "import varnel; assert varnel.__file__.startswith('$root'); print(varnel.calculate().texts['B0d'])")"
    [ "$got" = "$expected" ] || fail "the packaged module gave B0d '$got', varnel-calc '$expected'"

    prefix="$scratch/prefix"
    cmake --install "$build" --prefix "$prefix" >"$scratch/install.log" 2>&1 ||
        { cat "$scratch/install.log"; fail "cmake --install failed"; }
    PYTHONPATH="$prefix/lib/python3/dist-packages" "$python" -c \
        "import varnel; assert varnel.__file__.startswith('$prefix'); varnel.calculate()" ||
        fail "the module installed into $prefix does not import"
    echo "package check: $pydeb is sound"
fi
echo "package check: $deb is sound"
