#!/usr/bin/env bash
# Installs the build into a temporary root and checks what a desktop gets:
#   check_install.sh BUILD_DIR install   cmake --install with DESTDIR
#   check_install.sh BUILD_DIR deb       cpack's .deb, unpacked with dpkg -x
# The installed batch tool must find its data through share/objetos3d, the
# thumbnailer's command line must produce a picture, and the desktop files
# must pass the validators that are installed.
set -euo pipefail
build=$(cd "$1" && pwd)
mode=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root="$work/root"
fail() { echo "FAIL: $*" >&2; exit 1; }

case "$mode" in
  install)
    DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null
    ;;
  deb)
    (cd "$build" && cpack -G DEB -B "$work/pkg" >/dev/null) || fail "cpack"
    deb=$(ls "$work"/pkg/*.deb)
    dpkg-deb -x "$deb" "$root"
    depends=$(dpkg-deb -f "$deb" Depends)
    echo "Depends: $depends"
    # Found by dpkg-shlibdeps from the programs, not written by hand.
    for lib in libc6 libqt6gui6 libjpeg62-turbo libglu1-mesa; do
      [[ "$depends" == *"$lib"* ]] || fail "Depends lacks $lib"
    done
    [[ "$(dpkg-deb -f "$deb" Package)" == objetos3d ]] || fail "package name"
    ;;
  *) fail "unknown mode $mode" ;;
esac

usr="$root/usr"
for f in bin/objetos3d bin/objetos3d-cli share/doc/objetos3d/README.md \
         share/objetos3d/Vist3D/sample.zobj3d share/objetos3d/Vist3D/TEX/texture1.jpeg \
         share/applications/org.objetos3d.Objetos3D.desktop \
         share/metainfo/org.objetos3d.Objetos3D.metainfo.xml \
         share/thumbnailers/objetos3d.thumbnailer share/mime/packages/objetos3d.xml \
         share/icons/hicolor/scalable/apps/org.objetos3d.Objetos3D.svg; do
  [[ -f "$usr/$f" ]] || fail "missing $f"
done
for size in 16 22 24 32 48 64 128 256; do
  png="$usr/share/icons/hicolor/${size}x${size}/apps/org.objetos3d.Objetos3D.png"
  [[ -f "$png" ]] || fail "missing icon $size"
  file "$png" | grep -q "$size x $size" || fail "icon $size has the wrong size"
done
ls "$usr"/lib*/libzemoscript.so* >/dev/null 2>&1 || ls "$usr"/lib/*/libzemoscript.so* >/dev/null || fail "missing libzemoscript.so"
[[ ! -e "$usr/bin/Vist3D" ]] || fail "data beside the installed programs"

# The editor's script library resolves from the installed program.
if ldd "$usr/bin/objetos3d" | grep -q "libzemoscript.so => not found"; then fail "libzemoscript.so not found"; fi

# The installed batch tool reads the sample's textures from share/objetos3d.
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_CACHE_HOME="$work/home/.cache"
mkdir -p "$HOME"
unset DISPLAY
"$usr/bin/objetos3d-cli" export "$usr/share/objetos3d/Vist3D/sample.zobj3d" "$work/sample.glb"
grep -aq '"mimeType":"image/' "$work/sample.glb" || fail "the installed tool embedded no texture"

# The thumbnailer entry's own command line, as a file manager runs it.
exec_line=$(sed -n 's/^Exec=//p' "$usr/share/thumbnailers/objetos3d.thumbnailer")
command=${exec_line//%i/$usr/share/objetos3d/Vist3D/sample.zobj3d}
command=${command//%o/$work/thumb.png}
command=${command//%s/128}
PATH="$usr/bin:$PATH" eval "$command"
file "$work/thumb.png" | grep -q "PNG image data, 128 x 128" || fail "no 128-pixel thumbnail"

# The MIME package: glob and magic reach the database.
update-mime-database "$usr/share/mime" 2>/dev/null || fail "update-mime-database"
grep -q 'application/x-zobj3d:\*\.zobj3d' "$usr/share/mime/globs2" || fail "no glob"
grep -aq 'ZObjeto3D' "$usr/share/mime/magic" || fail "no magic"
grep -q '^MimeType=application/x-zobj3d;' "$usr/share/applications/org.objetos3d.Objetos3D.desktop" || fail "desktop MimeType"

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$usr/share/applications/org.objetos3d.Objetos3D.desktop" || fail "desktop-file-validate"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$usr/share/metainfo/org.objetos3d.Objetos3D.metainfo.xml" >/dev/null ||
    fail "appstreamcli validate"
fi
echo "ok: $mode"
