#!/usr/bin/env bash
# Drives the real karvo-cli against the virtual programmer and compares what
# it prints with what a user must see.
set -u
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
pass=0
fail=0

check() {  # name, expected status, expected stdout file, actual status, actual stdout file
  if [ "$2" = "$4" ] && diff -u "$3" "$5" >"$work/diff"; then
    pass=$((pass + 1))
  else
    fail=$((fail + 1))
    echo "FAIL: $1 (status $4, wanted $2)"
    cat "$work/diff"
  fi
}

run() {  # name, expected status, expected output, cli arguments...
  local name=$1 want_status=$2 want=$3
  shift 3
  printf '%b' "$want" >"$work/want"
  "$cli" --settings "$work/settings-$name.ini" "$@" >"$work/got" 2>"$work/err"
  check "$name" "$want_status" "$work/want" "$?" "$work/got"
}

demo=' \n **** NO PROGRAMMER FOUND ****\n **** System in KARVO Mk2 DEMO mode  ****\n'
version=' \n KARVO Mk2 \n Firmware Version: 2.3\n Software Version: 2.002\n'
old=' \n KARVO Mk2 found\n Old firmware installed. \n Performing firmware update. \n'

# No USB programmer on a test machine.
run no_programmer 0 "$demo"
run virtual 0 "$version" --virtual
run newer_firmware 0 "$old$demo" --virtual=firmware=2.4
run older_firmware 0 "$old$demo" --virtual=firmware=2.2
run wrong_hello 0 "$demo" --virtual=hello=Nope
run reconnect 0 "$version$version" --virtual -e reconnect
run panel 0 "${version}ManuL=\nManIDL=\nDevIDL=\nDevIDL2=\nDevL=\nSizeL=\nCheckL=\nVccL=\nVppL=\nAdapL= \nFileL=\nComL=\nEnabled=SB_Select\n" --virtual -e panel
run unknown_command 2 "$version" --virtual -e frobnicate
run bad_virtual_setting 2 "" --virtual=colour=blue
run mute_version 0 ' \n KARVO Mk2 found\n No answer to the firmware version query. Check the USB cable, then Reconnect.\n **** System in KARVO Mk2 DEMO mode  ****\n' --virtual=mute=F

printf 'panel # show it\n\n# nothing\nclear\n' >"$work/script"
run script 0 "${version}ManuL=\nManIDL=\nDevIDL=\nDevIDL2=\nDevL=\nSizeL=\nCheckL=\nVccL=\nVppL=\nAdapL= \nFileL=\nComL=\nEnabled=SB_Select\n" --virtual "$work/script"

# Started from another folder, the program still finds its data and keeps one
# stable settings directory.
(cd / && "$cli" --settings "$work/from-root.ini" --virtual >"$work/got" 2>&1)
printf '%b' "$version" >"$work/want"
check from_other_directory 0 "$work/want" "$?" "$work/got"

"$cli" --help >"$work/got" 2>&1
st=$?
grep -q 'usage: karvo-cli' "$work/got" && [ $st = 0 ] && pass=$((pass + 1)) || { fail=$((fail + 1)); echo "FAIL: --help"; }
"$cli" --version >"$work/got" 2>&1
grep -qx 'karvo-cli 2.002' "$work/got" && pass=$((pass + 1)) || { fail=$((fail + 1)); echo "FAIL: --version"; cat "$work/got"; }

echo "$pass passed, $fail failed"
[ "$fail" = 0 ]
