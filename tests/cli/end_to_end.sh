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
# Another firmware version is updated: the update window's lines as they
# appear, then the version the new firmware reports. Elapsed times vary, so
# they are compared as "( TIME s)".
update_window="$(printf '%s\\n' \
  'Device not detected.  Verify device is attached and in firmware update mode.' \
  'Device Attached.' 'Connecting...' 'Device Ready' \
  'Erasing Device... (no status update until complete, may take several seconds)' \
  'Erase Complete ( TIME s)' '' 'Writing Device...' 'Write Complete ( TIME s)' '' \
  'Verifying Device...' "Verifying Device's Program Memory..." 'Verify Complete ( TIME s)' '' \
  'Erase/Program/Verify sequence completed successfully.' 'You may now unplug or reset the device.' \
  'Resetting...')"
updated=" \n KARVO Mk2 found\n Old firmware installed. \n Performing firmware update. \n$update_window"
run_timed() {  # as run, with elapsed times in status lines masked
  local name=$1 want_status=$2 want=$3
  shift 3
  printf '%b' "$want" >"$work/want"
  "$cli" --settings "$work/settings-$name.ini" "$@" 2>"$work/err" \
    | sed -E 's/\( [0-9]{2}:[0-9]{2}:[0-9]{2}\.[0-9]{3}s\)/( TIME s)/' >"$work/got"
  check "$name" "$want_status" "$work/want" "${PIPESTATUS[0]}" "$work/got"
}

# No USB programmer on a test machine.
run no_programmer 0 "$demo"
run virtual 0 "$version" --virtual
# Older and newer firmware alike are brought to 2.3.
run_timed newer_firmware 0 "$updated$version" --virtual=firmware=2.4
run_timed older_firmware 0 "$updated$version" --virtual=firmware=2.2
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

# Selecting a device: log lines, panel labels, enables, checksum.
run select_eprom 0 "${version} Selected : Atmel  AT27C256R\n Parameters sent OK\nManuL=Atmel\nManIDL=0x1E\nDevIDL=0x8C\nDevIDL2=\nDevL=AT27C256R\nSizeL=0x8000\nCheckL=8000\nVccL= 5.00V\nVppL=13.00V\nAdapL=\nFileL=\nComL=\nEnabled=SB_Select SB_Load SB_Save SB_Edit SB_Blank SB_Read SB_Prog SB_Verify SB_Option\n" --virtual -e 'select Atmel AT27C256R' -e panel
run select_demo 0 "${demo} Selected : Atmel  ATmega8\n ***  Select Programming Options : Code Area / Lockbits in OPTIONS ***\nManuL=Atmel\nManIDL=0x1E\nDevIDL=0x93\nDevIDL2=0x07\nDevL=ATmega8\nSizeL=0x2000\nCheckL=\nVccL= 5.00V\nVppL=\nAdapL=\nFileL=\nComL=E2prom @ 0x02000  size = 512 bytes\nEnabled=SB_Select\n" -e 'select Atmel ATmega8' -e panel
run select_unknown 2 "$version" --virtual -e 'select Atmel NoSuchChip'
run poke_dump 0 "${version} Selected : Atmel  AT27C256R\n Parameters sent OK\n00000000: 12 34 FF FF\n7E48\n" --virtual -e 'select Atmel AT27C256R' -e 'poke 0 12 34' -e 'dump 0 4' -e checksum

# Operations: a corrupted byte fails the verify and the run.
"$cli" --settings "$work/ops.ini" --virtual -e 'select Atmel AT27C256R' -e program -e 'virtual fault corrupt 100' -e verify >"$work/got" 2>&1
st=$?
if [ $st = 1 ] && grep -qx '  Compare Error @ 0x00100 Ram = 0xFF AT27C256R = 0x00' "$work/got" \
   && grep -qx ' Verified OK' "$work/got"; then pass=$((pass + 1)); else fail=$((fail + 1)); echo "FAIL: verify_fault ($st)"; cat "$work/got"; fi
for fault in "refuse eR" "stall 20" "unplug"; do
  "$cli" --settings "$work/ops.ini" --virtual -e 'select Atmel AT27C256R' -e "virtual fault $fault" -e read >"$work/got" 2>&1
  st=$?
  if [ $st = 1 ] && ! grep -q 'Read Completed' "$work/got"; then pass=$((pass + 1)); else fail=$((fail + 1)); echo "FAIL: fault $fault ($st)"; cat "$work/got"; fi
done
run read_without_device 1 "$version" --virtual -e read

# Options: the dialog's rules, and what it does not offer.
run options_lockbits 0 "${version} Selected : Atmel  AT89S52\n ***  Select Programming Options : Code Area / Lockbits in OPTIONS ***\n Parameters sent OK\nProgBits=01 Id_flag=1 Test_flag=0 MaxMin_flag=0 SoundON=1\n" --virtual -e 'select Atmel AT89S52' -e 'options progbits=5 step2=0 step3=0'
run options_refused 2 "${version} Selected : Atmel  AT27C256R\n Parameters sent OK\n" --virtual -e 'select Atmel AT27C256R' -e 'options step1=1'

# Settings survive a clean exit from the same program directory, and only then.
bin=$(dirname "$cli")
mkdir -p "$work/other"
cp "$bin"/*.usb "$bin"/*.wav "$work/other/"
"$cli" --settings "$work/keep.ini" --virtual -e 'select Atmel AT89S52' -e 'options sound=0 step3=1' >/dev/null 2>&1
"$cli" --settings "$work/keep.ini" --virtual -e 'select Atmel AT89S52' -e 'options' >"$work/got" 2>&1
grep -q '^ProgBits=07 .* SoundON=0$' "$work/got" && pass=$((pass + 1)) || { fail=$((fail + 1)); echo "FAIL: settings kept"; cat "$work/got"; }
"$cli" --settings "$work/keep.ini" --data-dir "$work/other" --virtual -e 'select Atmel AT89S52' -e 'options' >"$work/got" 2>&1
grep -q '^ProgBits=01 .* SoundON=1$' "$work/got" && pass=$((pass + 1)) || { fail=$((fail + 1)); echo "FAIL: settings from another directory"; cat "$work/got"; }

# A binary image from a pipe loads its bytes (a pipe has no size).
printf '\x12\x34\x56' | "$cli" --settings "$work/pipe.ini" --virtual -e 'select Atmel AT27C256R' \
  -e 'load /dev/stdin format=binary' -e 'dump 0 4' >"$work/got" 2>&1
st=$?
[ $st = 0 ] && grep -qx '00000000: 12 34 56 FF' "$work/got" && grep -qx ' File /dev/stdin Loaded' "$work/got" \
  && pass=$((pass + 1)) || { fail=$((fail + 1)); echo "FAIL: binary from a pipe ($st)"; cat "$work/got"; }

# A chip listed in both data files is reached by naming the file; without
# it the name is ambiguous, not silently the first file's.
run select_both_files 2 "$version" --virtual -e 'select Winbond W25X10'
grep -q 'is in both data files; name one with --file KARVO_e.usb or --file KARVO_m.usb' "$work/err" \
  && pass=$((pass + 1)) || { fail=$((fail + 1)); echo "FAIL: ambiguous select message"; cat "$work/err"; }
"$cli" --settings "$work/both.ini" --virtual -e 'select --file KARVO_m.usb Winbond W25X10' -e panel >"$work/got" 2>&1
st=$?
[ $st = 0 ] && grep -qx 'DevL=W25X10' "$work/got" && pass=$((pass + 1)) || { fail=$((fail + 1)); echo "FAIL: select --file ($st)"; cat "$work/got"; }
run select_bad_file 2 "$version" --virtual -e 'select --file /etc/passwd Winbond W25X10'

# A parameter block the programmer never confirms is said and fails the run.
run select_unconfirmed 1 "${version} Selected : Atmel  AT27C256R\n The programmer did not confirm the parameters of AT27C256R; check the cable, Reconnect and select the device again\n" --virtual=mute=V -e 'select Atmel AT27C256R'

# Small faults of the command line: refused, never half-done.
mkdir -p "$work/folder"
run script_is_folder 2 "" --virtual "$work/folder"
run progbits_too_big 2 "${version} Selected : Atmel  AT89S52\n ***  Select Programming Options : Code Area / Lockbits in OPTIONS ***\n Parameters sent OK\n" --virtual -e 'select Atmel AT89S52' -e 'options progbits=100'
run stall_too_big 2 "$version" --virtual -e 'virtual fault stall FFFFFFFF'
run set_beyond_chip 1 "${version} Selected : Atmel  AT27C256R\n Parameters sent OK\n" --virtual -e 'select Atmel AT27C256R' -e 'virtual set 8000 12'
grep -q 'beyond the chip, which ends at 7FFF' "$work/err" && pass=$((pass + 1)) || { fail=$((fail + 1)); echo "FAIL: set beyond the chip"; cat "$work/err"; }

# A box of the exit sequence (settings that cannot be written) fails the run.
mkdir -p "$work/ro" && printf '' >"$work/ro/settings.ini" && chmod 0444 "$work/ro/settings.ini" && chmod 0555 "$work/ro"
if [ ! -w "$work/ro/settings.ini" ]; then
  "$cli" --settings "$work/ro/settings.ini" --virtual >"$work/got" 2>"$work/err"
  st=$?
  [ $st = 1 ] && pass=$((pass + 1)) || { fail=$((fail + 1)); echo "FAIL: exit box status ($st)"; cat "$work/err"; }
fi
chmod 0755 "$work/ro"

# A settings file that is not one is replaced cleanly, once: the next run
# reports nothing.
printf '\x00\xff[[[garbage\n=\x01\n' >"$work/garbage.ini"
"$cli" --settings "$work/garbage.ini" --virtual >"$work/got" 2>"$work/err"
st1=$?
"$cli" --settings "$work/garbage.ini" --virtual >"$work/got" 2>"$work/err2"
st2=$?
[ $st1 = 0 ] && [ $st2 = 0 ] && [ ! -s "$work/err2" ] && pass=$((pass + 1)) || { fail=$((fail + 1)); echo "FAIL: garbage settings ($st1 $st2)"; cat "$work/err" "$work/err2"; }

# 8051 and AVR parts: the whole Program sequence, and the chip-ID question.
s52="${version} Selected : Atmel  AT89S52\n ***  Select Programming Options : Code Area / Lockbits in OPTIONS ***\n Parameters sent OK\n"
"$cli" --settings "$work/m.ini" --virtual -e 'select Atmel AT89S52' -e 'options progbits=4F' -e program \
  -e 'virtual show 0 10' >"$work/got" 2>&1
st=$?
sed -n '/^ProgBits=/,$p' "$work/got" | sed '1d;$d' | sed '$d' >"$work/lines"
printf '%b' '\n Erase Completed \n Code Area Clean\n Programmed\n Verifying @ Vdd = 5.0V \n Code Area Verified OK\n Lockbit 1 Programmed\n Lockbit 2 Programmed\n Lockbit 3 Programmed\n' >"$work/want"
[ $st = 0 ] && diff -u "$work/want" "$work/lines" >"$work/diff" && pass=$((pass + 1)) || { fail=$((fail + 1)); echo "FAIL: 8051 program sequence ($st)"; cat "$work/got" "$work/diff"; }
s51=(--virtual -e 'select Atmel AT89S51' -e 'virtual signature 1E 51 FF' -e read)
"$cli" --settings "$work/m1.ini" --answer abort "${s51[@]}" >"$work/got" 2>"$work/err"
st=$?
[ $st = 1 ] && grep -qx 'CHIP_ID Error: ID: 30=0x1E 31=0x51 32=0xFF ' "$work/err" && ! grep -q 'Read Completed' "$work/got" \
  && pass=$((pass + 1)) || { fail=$((fail + 1)); echo "FAIL: chip-ID abort ($st)"; cat "$work/got" "$work/err"; }
"$cli" --settings "$work/m2.ini" --answer ignore "${s51[@]}" >"$work/got" 2>"$work/err"
st=$?
[ $st = 0 ] && grep -qx ' Read Completed' "$work/got" && pass=$((pass + 1)) || { fail=$((fail + 1)); echo "FAIL: chip-ID ignore ($st)"; cat "$work/got" "$work/err"; }
"$cli" --settings "$work/m3.ini" --answer retry "${s51[@]}" >"$work/got" 2>"$work/err"
st=$?
[ $st = 1 ] && [ "$(grep -c '^CHIP_ID Error' "$work/err")" = 4 ] && grep -q 'still no match after 3 retries' "$work/err" \
  && pass=$((pass + 1)) || { fail=$((fail + 1)); echo "FAIL: chip-ID retry is capped ($st)"; cat "$work/err"; }
"$cli" --settings "$work/m4.ini" --virtual -e 'select Atmel AT89S52' -e 'virtual fault erase' -e erase >"$work/got" 2>&1
st=$?
[ $st = 1 ] && grep -qx ' Erase of AT89S52 did not complete' "$work/got" && pass=$((pass + 1)) || { fail=$((fail + 1)); echo "FAIL: erase without Done ($st)"; cat "$work/got"; }

# Real images from the compilers users build with: each loads, programs,
# verifies and reads back byte for byte. Skipped where a compiler is absent.
program_image() {  # name, maker, device, image, binary it must read back as
  local bytes stop
  bytes=$(wc -c <"$5")
  stop=$(printf '%X' $((bytes - 1)))
  "$cli" --settings "$work/img.ini" --virtual -e "select $2 $3" -e "load $4" -e program -e read \
    -e "save $work/back.bin format=binary start=0 stop=$stop" >"$work/got" 2>&1
  local st=$?
  if [ $st = 0 ] && grep -qx ' Code Area Verified OK' "$work/got" && cmp -s "$5" "$work/back.bin"; then
    pass=$((pass + 1))
  else
    fail=$((fail + 1)); echo "FAIL: $1 image ($st)"; cat "$work/got"
  fi
}
if command -v avr-gcc >/dev/null && command -v avr-objcopy >/dev/null; then
  printf '#include <avr/io.h>\n#include <util/delay.h>\nint main(void) {\n  DDRB = 1;\n  for (;;) { PORTB ^= 1; _delay_ms(100); }\n}\n' >"$work/blink.c"
  avr-gcc -mmcu=atmega8 -DF_CPU=1000000UL -Os -o "$work/blink.elf" "$work/blink.c" \
    && avr-objcopy -O ihex -R .eeprom "$work/blink.elf" "$work/blink.hex" \
    && avr-objcopy -O binary -R .eeprom "$work/blink.elf" "$work/blink.bin" \
    && program_image avr-gcc Atmel ATmega8 "$work/blink.hex" "$work/blink.bin"
fi
if command -v sdcc >/dev/null && command -v srec_cat >/dev/null; then
  printf '#include <8052.h>\nvoid main(void) {\n  unsigned int i;\n  for (;;) { P1_0 = !P1_0; for (i = 0; i < 30000; i++) {} }\n}\n' >"$work/blink51.c"
  (cd "$work" && sdcc -mmcs51 blink51.c >/dev/null) \
    && srec_cat "$work/blink51.ihx" -intel -o "$work/blink51.bin" -binary 2>/dev/null \
    && program_image sdcc Atmel AT89S52 "$work/blink51.ihx" "$work/blink51.bin"
fi

# PIC parts: every area in its turn, the elapsed-time lines left out.
pic() {  # name, expected status, expected output, cli arguments...
  local name=$1 want_status=$2 want=$3
  shift 3
  printf '%b' "$want" >"$work/want"
  "$cli" --settings "$work/settings-$name.ini" --virtual "$@" >"$work/raw" 2>"$work/err"
  local st=$?
  grep -v '^ [0-9][0-9]:[0-9][0-9]:[0-9][0-9]\.[0-9]*$' "$work/raw" >"$work/got"
  check "$name" "$want_status" "$work/want" "$st" "$work/got"
}
pic_sel="${version} Selected : Microchip  16F84A\n ***  Select Programming Options : Prog / ID / Data / Config in OPTIONS ***\n Parameters sent OK\n"
pic pic_read 0 "${pic_sel}\n Code Area Read\n Data Area Read\n ID Bytes Read\n Config Bytes Read\n" \
  -e 'select Microchip 16F84A' -e read
pic pic_program 0 "${pic_sel}ProgBits=57 Id_flag=0 Test_flag=0 MaxMin_flag=0 SoundON=1\n\n Erase Completed\n Code Area Blank\n Code Area Programmed\n Code Area Verified\n Data Area Programmed\n Data Area Verified\n ID Bytes Programmed\n ID Bytes Verified\n Config Bytes Programmed\n Config Bytes Verified\n00004200: 12 34\n" \
  -e 'select Microchip 16F84A' -e 'options progbits=57' -e 'poke 4200 12 34' -e program -e 'virtual show 4200 2'
pic pic_erase 1 "${pic_sel}\n Erase Completed\n Code Area Blank\n Data Area Blank\n ID Bytes Blank\n Config Bytes Blank\n\n 16F84A not blank\n" \
  -e 'select Microchip 16F84A' -e erase -e 'virtual set 10 12' -e blank
pic pic_no_eeprom 0 "${version} Selected : Microchip  16C54\n ***  Select Programming Options : Prog / ID / Data / Config in OPTIONS ***\n Parameters sent OK\n\n Code Area Read\n ID Bytes Read\n Config Bytes Read\n" \
  -e 'select Microchip 16C54' -e 'virtual fault refuse pd' -e read
pic pic_calibration 0 "${version} Selected : Microchip  12F675\n ***  Select Programming Options : Prog / ID / Data / Config in OPTIONS ***\n Parameters sent OK\n\n Erase Completed\n Code Area Blank\n Data Area Blank\n ID Bytes Blank\n Config Bytes Blank\n000007FE: 34 80\n\n Code Area Verified\n Data Area Verified\n ID Bytes Verified\n Config Bytes Verified\n" \
  -e 'select Microchip 12F675' -e erase -e 'virtual show 7fe 2' -e verify
pic pic_refused 1 "${pic_sel}ProgBits=01 Id_flag=0 Test_flag=0 MaxMin_flag=0 SoundON=1\n\n Programmer refused the command \"pC\" (answer \"??\")\n" \
  -e 'select Microchip 16F84A' -e 'options progbits=1' -e 'virtual fault refuse pC' -e program

# A file from the PIC assembler: its configuration reaches the chip.
if command -v gpasm >/dev/null; then
  printf '\tprocessor 16f1938\n\t__config 0x8007, 0x3FE4\n\t__config 0x8008, 0x1EFF\n\torg 0\n\tgoto 0\n\torg 0xF000\n\tde 0x5A\n\tend\n' >"$work/p1938.asm"
  if gpasm -a inhx32 -o "$work/p1938.hex" "$work/p1938.asm" >/dev/null 2>&1; then
    "$cli" --settings "$work/p1938.ini" --virtual -e 'select Microchip 16F1938' \
      -e "load $work/p1938.hex" -e 'options progbits=57' -e program -e 'virtual show 1000e 4' >"$work/got" 2>&1
    st=$?
    [ $st = 0 ] && grep -qx '0001000E: 3F E4 1E FF' "$work/got" && grep -qx ' Config Bytes Verified' "$work/got" \
      && pass=$((pass + 1)) || { fail=$((fail + 1)); echo "FAIL: gpasm 16F1938 ($st)"; cat "$work/got"; }
  else
    fail=$((fail + 1)); echo "FAIL: gpasm could not assemble the 16F1938 source"
  fi
fi

# The hex editor through karvo-cli, the same model as its window: the lines
# the editor's page prints (CurrAdd=... after each `edit page`), what else
# reaches standard output, its boxes on standard error, and the status.
edit_case() {  # name, expected status, expected stdout lines, expected stderr, cli arguments...
  local name=$1 want_status=$2 want=$3 want_err=$4
  shift 4
  printf '%b' "$want" >"$work/want"
  "$cli" --settings "$work/settings-$name.ini" "$@" >"$work/raw" 2>"$work/err"
  local st=$?
  # Start-up and selection lines are checked above; only what follows them,
  # and of a printed page only its last line unless the case keeps its rows.
  grep -v '^ ' "$work/raw" | grep -v '^$' \
    | if [ -n "${keep_rows:-}" ]; then cat; else grep -vE '^[0-9A-F]{8}:( [0-9A-F]{2}){16}  .{16}$'; fi \
    >"$work/got"
  check "$name" "$want_status" "$work/want" "$st" "$work/got"
  printf '%b' "$want_err" >"$work/want_err"
  if diff -u "$work/want_err" "$work/err" >"$work/diff"; then
    pass=$((pass + 1))
  else
    fail=$((fail + 1)); echo "FAIL: $name (standard error)"; cat "$work/diff"
  fi
}
eprom=(--virtual -e 'select Atmel AT27C256R')
ff_rows() {  # first address, rows: lines of a blank page
  local a=$1 i
  for ((i = 0; i < $2; i++)); do
    printf '%08X: FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF  ................\\n' $((a + 16 * i))
  done
}
keep_rows=1 edit_case edit_type_page 0 "00000000: 3F 41 FF FF FF FF FF FF FF FF FF FF FF FF FF FF  ?A..............\n$(ff_rows 16 15)CurrAdd=00000002 Row=0 Col=2 CsumText=0x7E82\n7E82\n" "" \
  "${eprom[@]}" -e 'edit type hex 3f' -e 'edit type ascii A' -e 'edit page' -e checksum
edit_case edit_bad_digit 1 "00000000: 1F\n" "Error: This isn't a valid hex value: G\n" \
  "${eprom[@]}" -e 'edit type hex 1' -e 'dump 0 1' -e 'edit type hex G2' -e 'dump 0 1'
edit_case edit_not_latin1 1 "" "Error: This isn't a valid hex value: Ł\n" \
  "${eprom[@]}" -e 'edit type ascii Ł'
edit_case edit_paging_ends 0 "CurrAdd=00000000 Row=0 Col=0 CsumText=0x8000\nCurrAdd=00007F05 Row=0 Col=5 CsumText=0x8000\nCurrAdd=00007FF5 Row=15 Col=5 CsumText=0x8000\n" "" \
  "${eprom[@]}" -e 'edit key Up' -e 'edit page' -e 'edit addr 7F00' -e 'edit key Right' -e 'edit key Right' \
  -e 'edit key Right' -e 'edit key Right' -e 'edit key Right' -e 'edit key PageDown' -e 'edit page' \
  -e 'edit addr 7FF0' -e 'edit key Right' -e 'edit key Right' -e 'edit key Right' -e 'edit key Right' \
  -e 'edit key Right' -e 'edit key Down' -e 'edit page'
edit_case edit_addr_last_row 0 "CurrAdd=00007FF0 Row=15 Col=0 CsumText=0x8000\n" "" \
  "${eprom[@]}" -e 'edit addr FFFFFFFF' -e 'edit page'
# 0x2200 bytes (code and data EEPROM): 1000 is page 0x1000, not page 0.
edit_case edit_addr_not_a_power_of_two 0 "CurrAdd=00001000 Row=0 Col=0 CsumText=0xE000\nCurrAdd=000021F0 Row=15 Col=0 CsumText=0xE000\n" "" \
  --virtual -e 'select Atmel ATmega8' -e 'edit addr 1000' -e 'edit page' -e 'edit addr FFFFFFFF' -e 'edit page'
edit_case edit_find_again_wraps 0 "CurrAdd=00000100 Row=0 Col=0 CsumText=0x7E02\nCurrAdd=00007FF0 Row=15 Col=0 CsumText=0x7E02\nCurrAdd=00007FFF Row=15 Col=15 CsumText=0x7E02\nCurrAdd=00000100 Row=0 Col=0 CsumText=0x7E02\n" "Information: Not Found\n" \
  "${eprom[@]}" -e 'edit addr 100' -e 'edit type hex AA55' -e 'edit addr 7FF0' -e 'edit type hex AA55' \
  -e 'edit find hex aa55' -e 'edit page' -e 'edit again' -e 'edit page' -e 'edit again' -e 'edit page' \
  -e 'edit again' -e 'edit page'
edit_case edit_find_text 0 "CurrAdd=00000200 Row=0 Col=0 CsumText=0x7E9C\n" "" \
  "${eprom[@]}" -e 'edit addr 200' -e 'edit type ascii OK' -e 'edit key Home' -e 'edit find ascii OK' \
  -e 'edit page'
edit_case edit_find_odd_hex 1 "" "Error: To few charaters in hex string\n" \
  "${eprom[@]}" -e 'edit find hex AA5'
edit_case edit_again_first 0 "CurrAdd=00000000 Row=0 Col=0 CsumText=0x8000\n" "Information: Not Found\n" \
  "${eprom[@]}" -e 'edit again' -e 'edit page'
edit_case edit_fill_bytes 0 "00000000: FF 00 00 00 FF\n" "" \
  "${eprom[@]}" -e 'edit fill 1 3 00' -e 'dump 0 5'
edit_case edit_fill_words 0 "00000000: 12 34 12 34 12 FF 3F FF\n" "" \
  --virtual -e 'select Microchip 16F84A' -e 'edit fill 0 4 1234' -e 'dump 0 8'
edit_case edit_fill_to_below_from 1 "" "Invalid Data: 'To' has to be greater than 'From'\n" \
  "${eprom[@]}" -e 'edit fill 1 0 00'
edit_case edit_fill_past_the_end 1 "00000000: FF\n" "Invalid Data: 'To' has to be at most 00007FFF, the last address of the buffer\n" \
  "${eprom[@]}" -e 'dump 0 1' -e 'edit fill 0 FFFFFFFF 00'
edit_case edit_fill_not_hex 1 "" "KARVO Mk2: ''\$1G'' is not a valid integer value\n" \
  "${eprom[@]}" -e 'edit fill 1G 10 00'
edit_case edit_copy 0 "00000000: 01 02 03 04\n00000010: 01 02 03 04\n" "" \
  "${eprom[@]}" -e 'edit type hex 01020304' -e 'edit copy 0 4 10' -e 'dump 0 4' -e 'dump 10 4'
edit_case edit_copy_overlapping 1 "" "Error: The adresses are over lapping\n" \
  "${eprom[@]}" -e 'edit copy 10 10 0'
edit_case edit_copy_past_the_end 1 "" "Invalid Data: The destination 00007FF8 .. 00008007 does not fit in the buffer, which ends at 00007FFF; nothing was changed\n" \
  "${eprom[@]}" -e 'edit copy 0 10 7FF8'
edit_case edit_move_replace 0 "00000000: 01 02 03 04\n00000100: FF FF FF FF\n" "" \
  "${eprom[@]}" -e 'edit addr 100' -e 'edit type hex 01020304' -e 'edit move 100 4 0 FF' -e 'dump 0 4' -e 'dump 100 4'
edit_case edit_move_one_digit 1 "" "Error: Replace Value need two Hex Values \n" \
  "${eprom[@]}" -e 'edit move 100 4 0 F'
edit_case edit_move_past_the_end 1 "" "Invalid Data: The destination 00007FFE .. 00008001 does not fit in the buffer, which ends at 00007FFF; nothing was changed\n" \
  "${eprom[@]}" -e 'edit move 0 4 7FFE 00'
edit_case edit_undo_redo 0 "8000\n00000000: 00 FF\n00000000: 00 00\n" "" \
  "${eprom[@]}" -e 'edit fill 0 7FFF 00' -e 'edit undo' -e checksum -e 'edit type hex 0000' \
  -e 'edit undo' -e 'dump 0 2' -e 'edit type hex 0000' -e 'edit undo' -e 'edit redo' -e 'dump 0 2'
edit_case edit_closes_and_sums 0 "7F01\n" "" \
  "${eprom[@]}" -e 'edit type hex 00' -e checksum
edit_case edit_demo_mode 1 "" "karvo-cli: edit: the Edit command is not available for the current device\n" \
  -e 'select Atmel AT27C256R' -e 'edit page'
edit_case edit_unknown_key 2 "" "karvo-cli: edit key takes Up, Down, Left, Right, PageUp, PageDown or Home\n" \
  "${eprom[@]}" -e 'edit key Sideways'

# The firmware update against the virtual bootloader: a programmer found
# only in its bootloader is recovered; the flash holds the image (with the
# signature the bootloader wrote); every cut and fault ends with a line that
# says what failed, exit status 1, no success line and no reset after a failed
# verify, and never a hang; the user's own image file.
run_timed bootloader_recovers 0 " \n KARVO Mk2 found in its bootloader: an earlier firmware update did not finish.\n Performing firmware update. \n$update_window$version" --virtual=bootloader
hex="$bin/firmware/karvo-virtual-2.3.hex"
flash=$( (sed -n 2p "$hex" | cut -c26-41; sed -n 3p "$hex" | cut -c10-25) | sed 's/../ &/g' | tr -d '\n')
"$cli" --settings "$work/fw.ini" --virtual=firmware=2.2 -e 'firmware show 1008 10' 2>&1 | tail -1 >"$work/got"
printf '00001008:%s\n' "$flash" >"$work/want"
check flash_holds_image 0 "$work/want" 0 "$work/got"
while IFS='|' read -r setting line success; do
  timeout 120 "$cli" --settings "$work/fw.ini" "--virtual=firmware=2.2,$setting" 2>"$work/err" \
    | sed -E 's/\( [0-9]{2}:[0-9]{2}:[0-9]{2}\.[0-9]{3}s\)/( TIME s)/' >"$work/got"
  st=${PIPESTATUS[0]}
  if [ $st = 1 ] && grep -qxF -- "$line" "$work/got" \
     && { [ "$success" = 1 ] || ! grep -qxF 'Erase/Program/Verify sequence completed successfully.' "$work/got"; } \
     && { [ "$success" = 1 ] || ! grep -qxF 'Resetting...' "$work/got"; } \
     && [ "$(tail -1 "$work/got")" = ' **** System in KARVO Mk2 DEMO mode  ****' ]; then
    pass=$((pass + 1))
  else
    fail=$((fail + 1)); echo "FAIL: firmware fault $setting ($st)"; cat "$work/got"
  fi
done <<'FAULTS'
stall=query|Operation timed out|0
unplug=query|Unable to communicate with device|0
echo=query|Unable to communicate with device|0
echo=extended|Unable to communicate with device|0
noext,echo=getdata|Verifying Device's Program Memory Failed. Unable to communicate with device.|0
region=zero|Memory allocation failed.  Please close other applications to free up system RAM and try again.|0
region=wrap|The bootloader reports a region at 0xFFFFF000 that runs past the end of the address space; nothing was erased.|0
region=huge|The bootloader reports a region of 268435455 bytes at 0x10000000, more than any programmer holds; nothing was erased.|0
payload=0|The bootloader reports packets of 0 data bytes, which cannot carry its 2-byte words; nothing was erased.|0
family=3,payload=59|The bootloader reports packets of 59 data bytes, which cannot carry its 4-byte words; nothing was erased.|0
pagesize=0|The bootloader reports an erase page of 0 bytes, which does not fit its program memory; nothing was erased.|0
stall=erase|Erase Timed out waiting for device ( TIME s)|0
unplug=erase|Erase Failed.|0
stall=program:100|Write Timed out waiting for device ( TIME s)|0
unplug=program:5|Write Failed.|0
stall=complete|Write Timed out waiting for device ( TIME s)|0
unplug=complete|Write Failed.|0
stall=readback|Verifying Device's Program Memory Timed out waiting for device ( TIME s)|0
unplug=readback|Verifying Device's Program Memory Failed.|0
flip=2345|Verify Failed.|0
stall=sign|Sign Timed out waiting for device ( TIME s)|0
unplug=sign|Sign Failed.|0
sign=silent|Sign Timed out waiting for device ( TIME s)|0
sign=ignore|The signed page does not read back as written.|0
sign=wrong|The signed page does not read back as written.|0
stall=reset| KARVO Mk2 found in its bootloader: the firmware update did not finish.|1
unplug=reset|Reset Failed.|1
mute=Prog|The programmer's bootloader did not appear within 30 seconds. Unplug the programmer, plug it in again and restart the program.|0
FAULTS
run_timed firmware_file 0 "$version \n Performing firmware update from $bin/firmware/karvo-virtual-2.3.kfw\n$update_window$version" \
  --virtual -e "firmware $bin/firmware/karvo-virtual-2.3.kfw"
(cd "$bin/firmware" && "$cli" --settings "$work/fw.ini" --virtual -e 'firmware karvo-virtual-2.3.hex' >"$work/got" 2>&1)
st=$?
[ $st = 0 ] && [ "$(tail -1 "$work/got")" = ' Software Version: 2.002' ] && grep -qxF 'Resetting...' "$work/got" \
  && pass=$((pass + 1)) || { fail=$((fail + 1)); echo "FAIL: firmware relative file ($st)"; cat "$work/got"; }
run firmware_no_file 1 "$version Cannot update the firmware: cannot read $work/none.hex\n" --virtual -e "firmware $work/none.hex"
run firmware_show_needs_virtual 2 "$demo" -e 'firmware show 1000'
run firmware_bad_setting 2 "" --virtual=stall=later

# The Config dialog: assignments as clicks, the page as the dialog shows it,
# the checksum after it closes, and its refusals.
ids16='ID_0=7F\nID1=7F\nID2=7F\nID3=7F\n'
page9() {  # oscillator item, its caption, low byte of the word
  printf '%s' "Tab=Page9 \"16F84A\"\n${ids16}CB9_Pwt=1\nCB9_Wdt=1\nRG9_Osc=$1 \"$2\"\nRG9_Prot=1 \"Protection off\"\nLabel13=3F\nLabel14=$3\n"
}
run config_16F84A 0 "${pic_sel}3BFF\n$(page9 0 LP FC)0000400E: 3F FC\n3BFC\n$(page9 0 LP FC)" \
  --virtual -e 'select Microchip 16F84A' -e 'poke 400E 3F FF' -e checksum -e 'config RG9_Osc=0' \
  -e 'dump 400E 2' -e checksum -e config
run config_second_tab 0 "${version} Selected : Microchip  16F88\n ***  Select Programming Options : Prog / ID / Data / Config in OPTIONS ***\n Parameters sent OK\nTab=Page33A \"Page 2\"\nRG33_Osc=7 \"ER CLKout on OSC2\"\nRG33_Prot=1 \"Protection off\"\nRG33_Write=3 \"Protection Off\"\nRG33_Mux=0 \"CCP1 on RB3\"\nLabel13=2F\nLabel14=FF\nLabel15=00\nLabel16=03\n" \
  --virtual -e 'select Microchip 16F88' -e 'config tab=Page33A RG33_Mux=0'
run config_id_and_box 0 "${pic_sel}Tab=Page9 \"16F84A\"\nID_0=12\nID1=7F\nID2=7F\nID3=7F\nCB9_Pwt=1\nCB9_Wdt=0\nRG9_Osc=3 \"RC\"\nRG9_Prot=1 \"Protection off\"\nLabel13=3F\nLabel14=FB\n00004000: 3F 92\n" \
  --virtual -e 'select Microchip 16F84A' -e 'config ID_0=12 CB9_Wdt=0 CB9_Wdt=0' -e 'dump 4000 2'
run config_not_hex 1 "${pic_sel}Tab=Page9 \"16F84A\"\n${ids16}CB9_Pwt=1\nCB9_Wdt=1\nRG9_Osc=3 \"RC\"\nRG9_Prot=1 \"Protection off\"\nLabel13=3F\nLabel14=FF\n" \
  --virtual -e 'select Microchip 16F84A' -e 'config ID_0=G CB9_Wdt=0'
grep -qx "KARVO Mk2: ''\$G'' is not a valid integer value" "$work/err" \
  && pass=$((pass + 1)) || { fail=$((fail + 1)); echo "FAIL: config conversion box"; cat "$work/err"; }
for refusal in 'Nope=1' 'CB5_Mcpu=1' 'tab=Page4A' 'ID_0=80' 'CB9_Wdt=2' 'RG9_Osc=4' 'RG9_Osc'; do
  run "config_usage_$refusal" 2 "${pic_sel}" --virtual -e 'select Microchip 16F84A' -e "config $refusal"
done
run config_disabled 2 "${version} Selected : Microchip  16C773\n ***  Select Programming Options : Prog / ID / Data / Config in OPTIONS ***\n Parameters sent OK\n" \
  --virtual -e 'select Microchip 16C773' -e 'config RG22_Bor=1'
run config_demo 1 "$demo" -e config

# The pages over ConfigBitsState: fields set before the page opens, the
# state printed, the page as the dialog shows it; PIC18 and enhanced pages.
state_zero='FuseLow=00\nFuseHigh=00\nFuseExt=00\nLockBits=00\nCalibByte=00\nCalibTable=00000000\nCalibIndex=00\nCalibProgram=00\nCalibAddress=0000\nSpiStatus=00\nSecurityRegister=00\nSeed0=00\nSeed1=00\nSdpEnable=00\n'
avr_sel() {  # device
  printf '%s' "${version} Selected : Atmel  $1\n ***  Select Programming Options : Code Area / Lockbits in OPTIONS ***\n Parameters sent OK\n"
}
run config_state_demo 0 "${demo}${state_zero}" -e 'config state'
run config_mega8_fuse_low 0 "$(avr_sel ATmega8)Tab=Page204 \"ATmega8\"\nCB204_Cksel0=1\nCB204_Cksel1=0\nCB204_Cksel2=0\nCB204_Cksel3=0\nCB204_Sut0=0\nCB204_Sut1=1\nCB204_Boden=0\nCB204_Bodlevel=1\nCB204_Bootrst=1\nCB204_Bootsz0=1\nCB204_Bootsz1=1\nCB204_Eesave=1\nCB204_Ckopt=0\nCB204_Spien=1\nCB204_Wdton=1\nCB204_Rstdisbl=1\nLabel13=E1\nLabel14=00\n" \
  --virtual -e 'select Atmel ATmega8' -e 'config state:FuseLow=E1'
"$cli" --settings "$work/tiny85.ini" --virtual -e 'select Atmel ATtiny85' \
  -e 'config state:FuseHigh=FF RG209_BODLVL=1' -e 'config state' >"$work/got" 2>&1
st=$?
[ $st = 0 ] && grep -qx 'RG209_BODLVL=1 "2.7 V"' "$work/got" && grep -qx 'FH_Value=FD' "$work/got" \
  && grep -qx 'FuseHigh=FD' "$work/got" \
  && pass=$((pass + 1)) || { fail=$((fail + 1)); echo "FAIL: config tiny85 brown-out ($st)"; cat "$work/got"; }
"$cli" --settings "$work/p4550.ini" --virtual -e 'select Microchip 18F4550' -e 'poke F0015 FF FF' \
  -e 'config tab=Page36C CB36_Cp0=1' -e 'dump F0015 2' -e 'dump F0019 1' >"$work/got" 2>&1
st=$?
[ $st = 0 ] && grep -qx 'Tab=Page36C " Page 4"' "$work/got" && grep -qx 'CB36_Cp0=1' "$work/got" \
  && grep -qx '000F0015: 00 00' "$work/got" && grep -qx '000F0019: 0E' "$work/got" \
  && pass=$((pass + 1)) || { fail=$((fail + 1)); echo "FAIL: config 18F4550 ($st)"; cat "$work/got"; }
"$cli" --settings "$work/p1937.ini" --virtual -e 'select Microchip 16F1937' \
  -e 'config tab=Page46A RG46_Mwp=3' -e 'dump 10011 1' >"$work/got" 2>&1
st=$?
[ $st = 0 ] && grep -qx 'RG46_Mwp=3 "Off"' "$work/got" && grep -qx '00010011: 33' "$work/got" \
  && pass=$((pass + 1)) || { fail=$((fail + 1)); echo "FAIL: config 16F1937 ($st)"; cat "$work/got"; }
for refusal in 'state:Nope=1' 'state:FuseLow=100' 'state:CalibProgram=2' 'CB204_Cksel0=1 state:FuseLow=E1'; do
  run "config_state_usage_$refusal" 2 "$(avr_sel ATmega8)" --virtual -e 'select Atmel ATmega8' -e "config $refusal"
done
run config_reserved_item 2 "${version} Selected : Microchip  18F25K50\n ***  Select Programming Options : Prog / ID / Data / Config in OPTIONS ***\n Parameters sent OK\n" \
  --virtual -e 'select Microchip 18F25K50' -e 'config RG38_Osc=E'

# Fuse maps: a GAL16V8's blank map saves with its checksum, other tools read
# it, and it loads back; a map for another part is refused.
"$cli" --settings "$work/jed.ini" --virtual -e 'select Lattice GAL16V8' -e "save $work/blank.jed" \
  -e "load $work/blank.jed" -e checksum >"$work/got" 2>&1
st=$?
[ $st = 0 ] && grep -q '^\*C10F1' "$work/blank.jed" && grep -qx " File $work/blank.jed Loaded" "$work/got" \
  && grep -qx '10F1' "$work/got" && pass=$((pass + 1)) || { fail=$((fail + 1)); echo "FAIL: JEDEC save and load ($st)"; cat "$work/got"; }
if command -v jedecparse >/dev/null; then
  jedecparse "$work/blank.jed" 2>&1 | grep -q 'Checksum calculated: 0x10f1,Checksum from file 0x10f1' \
    && pass=$((pass + 1)) || { fail=$((fail + 1)); echo "FAIL: jedecparse reads our JEDEC file"; }
fi
run jedec_other_part 1 "${version} Selected : Lattice  GAL22V10\n Parameters sent OK\n Checksum given 10F1 calculated DD2F\n File NOT for Selected Device !!\n" \
  --virtual -e 'select Lattice GAL22V10' -e "load $work/blank.jed"

# Finding a chip by typing: the lines of `devices` whose name holds the text,
# the number without its maker's letters first; nothing found fails.
"$cli" --settings "$work/find.ini" --virtual -e devices >"$work/devices" 2>&1
line_am=$(grep -P '\tAm27C256\t' "$work/devices")
line_at=$(grep -P '\tAT27C256R\t' "$work/devices")
line_84=$(grep -P '\t16F84A\t' "$work/devices")
# The maker's letters the catalogue leaves out find the part as well.
run find_exact 0 "${version}${line_at}\n${line_84}\n${line_84}\n" --virtual -e 'find 27c256r' \
  -e 'find 16f84a' -e 'find PIC16F84A'
"$cli" --settings "$work/find.ini" --virtual -e 'find 27C256' | tail -n +5 >"$work/found"
want_found=$(grep -ciP '^[^\t]*\t[^\t]*\t[a-z]*27c256' "$work/devices")
got_found=$(wc -l <"$work/found")
if [ "$got_found" = "$want_found" ] && [ "$want_found" -ge 3 ] && [ "$(head -1 "$work/found")" = "$line_am" ]; then
  pass=$((pass + 1))
else
  fail=$((fail + 1))
  echo "FAIL: find 27C256 lists every 27C256 ($got_found of $want_found), Am27C256 first"
  cat "$work/found"
fi
run find_nothing 1 "$version" --virtual -e 'find zz99' -e 'find 27C256'

# CRC-32 of the device's area: what Python's zlib says of the same bytes.
am27c256=" Selected : AMD  Am27C256\n Parameters sent OK\n"
head -c 32768 /dev/urandom >"$work/image.bin"
"$cli" --settings "$work/crc.ini" --virtual -e 'select AMD Am27C256' -e "load $work/image.bin" \
  -e 'checksum --crc32' 2>&1 | tail -1 >"$work/got"
if command -v python3 >/dev/null; then
  python3 -c "import sys,zlib; print('%08X' % zlib.crc32(open(sys.argv[1],'rb').read()))" "$work/image.bin" >"$work/want"
  check crc32_python 0 "$work/want" 0 "$work/got"
fi
run crc32_blank 0 "${version}${am27c256}1B43EABD\n" --virtual -e 'select AMD Am27C256' -e 'checksum --crc32'
run crc32_usage 2 "${version}${am27c256}" --virtual -e 'select AMD Am27C256' -e 'checksum --crc16'
run crc32_no_device 1 "$version" --virtual -e 'checksum --crc32'

# Every difference: three scattered places, one of them three bytes long.
verify_fail="\n Verifying @ Vdd = 5.0V \n Compare Error\n  Compare Error @ 0x00100 Ram = 0xFF Am27C256 = 0x7F\n TIME\n"
scratch_read=" Reading the chip to list the differences; the buffer stays as it is\n\n Read Completed\n TIME\n"
printf '%b' "${version}${am27c256}${verify_fail}${scratch_read} 0x00100  Ram = FF  Am27C256 = 7F\n 0x04001 - 0x04003  Ram = FF FF FF  Am27C256 = 00 01 02\n 0x07FFF  Ram = FF  Am27C256 = A5\n 5 bytes differ in 3 ranges\n" >"$work/want"
"$cli" --settings "$work/all.ini" --virtual -e 'select AMD Am27C256' -e 'virtual set 100 7F' \
  -e 'virtual set 4001 00 01 02' -e 'virtual set 7FFF A5' -e 'verify --all' 2>"$work/err" \
  | sed -E 's/^ [0-9]{2}:[0-9]{2}:[0-9]{2}\.[0-9]{3}$/ TIME/' >"$work/got"
check verify_all 1 "$work/want" "${PIPESTATUS[0]}" "$work/got"
printf '%b' "${version}${am27c256}\n Verifying @ Vdd = 5.0V \n Verified OK\n TIME\n" >"$work/want"
"$cli" --settings "$work/all.ini" --virtual -e 'select AMD Am27C256' -e 'verify --all' 2>"$work/err" \
  | sed -E 's/^ [0-9]{2}:[0-9]{2}:[0-9]{2}\.[0-9]{3}$/ TIME/' >"$work/got"
check verify_all_same 0 "$work/want" "${PIPESTATUS[0]}" "$work/got"
run verify_all_usage 2 "${version}${am27c256}" --virtual -e 'select AMD Am27C256' -e 'verify --everything'

# --progress: a line per tenth on standard error, standard output unchanged.
"$cli" --settings "$work/progress.ini" --progress --virtual=pace -e 'select AMD Am27C256' -e read \
  >"$work/got" 2>"$work/err"
st=$?
printf 'Read %d0%%\n' 1 2 3 4 5 6 7 8 9 10 >"$work/want"
[ $st = 0 ] && diff -u "$work/want" "$work/err" && grep -qx ' Read Completed' "$work/got" \
  && ! grep -q '%' "$work/got" && pass=$((pass + 1)) \
  || { fail=$((fail + 1)); echo "FAIL: --progress ($st)"; cat "$work/err"; }
"$cli" --settings "$work/progress.ini" --virtual=pace -e 'select AMD Am27C256' -e read >/dev/null 2>"$work/err"
[ ! -s "$work/err" ] && pass=$((pass + 1)) || { fail=$((fail + 1)); echo "FAIL: no progress unless asked"; cat "$work/err"; }

"$cli" --help >"$work/got" 2>&1
st=$?
grep -q 'usage: karvo-cli' "$work/got" && [ $st = 0 ] && pass=$((pass + 1)) || { fail=$((fail + 1)); echo "FAIL: --help"; }
"$cli" --version >"$work/got" 2>&1
grep -qx 'karvo-cli 2.002' "$work/got" && pass=$((pass + 1)) || { fail=$((fail + 1)); echo "FAIL: --version"; cat "$work/got"; }

echo "$pass passed, $fail failed"
[ "$fail" = 0 ]
