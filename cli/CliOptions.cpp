#include "CliOptions.h"

#include <string_view>

namespace karvo::cli {

const char* const kUsageText =
    "usage: karvo-cli [--virtual[=SETTINGS]] [--settings FILE] [--data-dir DIR]\n"
    "                 [--answer abort|retry|ignore] [-e COMMAND]... [SCRIPT]\n"
    "\n"
    "Runs the KARVO Mk2 start-up sequence, then each command (from -e in order,\n"
    "then SCRIPT, one per line, '#' comments), then the exit sequence. Log lines\n"
    "go to standard output, message boxes to standard error as CAPTION: TEXT.\n"
    "Exit status: 0 all commands succeeded, 1 a command failed, 2 usage error.\n"
    "\n"
    "  --virtual[=k=v,...]  use the virtual programmer instead of USB; settings:\n"
    "                       firmware=MAJOR.MINOR, hello=TEXT, mute=COMMAND, pace\n"
    "                       and its bootloader's: bootloader, family=N, payload=N,\n"
    "                       region=zero|wrap|huge, noext, pagesize=N, erasetime=MS,\n"
    "                       echo=query|extended|getdata, stall=STAGE, unplug=STAGE,\n"
    "                       flip=ADDRESS, sign=ignore|silent|wrong (STAGE: query\n"
    "                       erase program[:N] complete readback sign reset)\n"
    "  --settings FILE      keep the persisted settings in FILE (INI)\n"
    "  --data-dir DIR       program directory (device data files, sounds)\n"
    "  --answer A           how Abort/Retry/Ignore boxes are answered\n"
    "  --progress           a line per 10% of each operation step, with the time\n"
    "                       left, on standard error\n"
    "  -e COMMAND           run COMMAND (may be repeated)\n"
    "  --help, --version\n"
    "\n"
    "Commands (numbers are hexadecimal without prefix):\n"
    "  reconnect                 the Reconnect button\n"
    "  clear                     empty the message log\n"
    "  panel                     print the information labels and enabled buttons\n"
    "  devices                   list every device of both data files\n"
    "  find TEXT                 the devices whose name contains TEXT (case, blanks\n"
    "                            and punctuation ignored), best match first\n"
    "  select [--file DATAFILE] MANUFACTURER DEVICE\n"
    "                            the Select command with that device chosen; --file\n"
    "                            KARVO_e.usb or KARVO_m.usb for a name in both files\n"
    "  checksum [--crc32]        print the checksum label, or the CRC-32 (zlib) of\n"
    "                            the device's area 0 .. LastAddr in the buffer\n"
    "  dump START [COUNT]        print buffer bytes, 16 a line\n"
    "  poke ADDRESS BYTE...      write bytes into the buffer as the hex editor does\n"
    "  blank, read, program, verify, erase   run the operation as its button does\n"
    "  verify --all              verify; after a difference, read the chip into a\n"
    "                            scratch copy and list every differing range\n"
    "  firmware FILE             update the programmer's firmware from FILE (Intel\n"
    "                            HEX or .kfw image), the update window's lines as\n"
    "                            they appear\n"
    "  firmware show START [COUNT]   print the virtual programmer's program memory\n"
    "                                by image address, as dump does\n"
    "  virtual set ADDRESS BYTE...   put bytes into the chip in the virtual socket;\n"
    "                                addresses are the buffer's, as dump shows them\n"
    "  virtual show START [COUNT]    print the chip in the virtual socket (-- where\n"
    "                                the chip has no byte for a buffer address)\n"
    "  virtual blank                 make the chip in the virtual socket blank\n"
    "  virtual fault refuse COMMAND | corrupt ADDRESS | stall N | unplug\n"
    "  options [progbits=HEX] [KEY=0|1]...  the Options dialog; keys: test id maxmin\n"
    "                            sound step0 ... step6; prints the resulting flags\n"
    "  config [tab=PAGE] [NAME=VALUE]...  the Config dialog on tab PAGE (default the\n"
    "                            first); each NAME is clicked or typed in turn: a box\n"
    "                            0|1, a group or list its item index, an edit field its\n"
    "                            text; prints the tab, its controls and its labels\n"
    "  load FILE [format=intel|motorola|binary|inh8m|inx16] [fill=default|zero|ff|none]\n"
    "       [offset=+HEX|-HEX]   the Load command; the format defaults by the file's\n"
    "                            extension (.hex .ihex .ihx Intel; .mot .s19 .s28\n"
    "                            .s37 .srec .sx Motorola; else binary); PIC parts\n"
    "                            load and save inh8m (default) or inx16\n"
    "  save FILE [format=intel|motorola|binary|inh8m|inx16] [start=HEX] [stop=HEX]\n"
    "                            the Save command; Intel HEX of 0 .. the device's end\n"
    "                            by default\n"
    "  edit ...                  the hex editor, open from the first edit command to\n"
    "                            the next other command (the checksum follows):\n"
    "    edit addr ADDRESS         the address box, its eight digits typed\n"
    "    edit type hex|ascii TEXT  typing into the hex or ASCII block\n"
    "    edit key NAME             Up Down Left Right PageUp PageDown Home\n"
    "    edit find hex|ascii TEXT  the Search dialog; edit again: the Again button\n"
    "    edit fill FROM TO DATA [byte|word]   the Buffer Fill dialog\n"
    "    edit copy FROM COUNT TO   the Copy dialog\n"
    "    edit move FROM COUNT TO [REPLACE]    the Move dialog\n"
    "    edit undo, edit redo      Ctrl+Z and Ctrl+Y\n"
    "    edit page                 print the page as the grid shows it\n";

std::optional<CliOptions> ParseCliOptions(int argc, const char* const* argv, std::string& error) {
    CliOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        auto value = [&](const char* name) -> std::optional<std::string> {
            if (i + 1 >= argc) {
                error = std::string(name) + " needs a value";
                return std::nullopt;
            }
            return std::string(argv[++i]);
        };
        if (arg == "--virtual") {
            options.useVirtual = true;
        } else if (arg.rfind("--virtual=", 0) == 0) {
            options.useVirtual = true;
            options.virtualSettings = std::string(arg.substr(10));
        } else if (arg == "--settings" || arg == "--data-dir" || arg == "--answer" || arg == "-e") {
            const auto v = value(std::string(arg).c_str());
            if (!v) return std::nullopt;
            if (arg == "--settings") options.settingsFile = *v;
            if (arg == "--data-dir") options.dataDir = *v;
            if (arg == "-e") options.commands.push_back(*v);
            if (arg == "--answer") {
                if (*v != "abort" && *v != "retry" && *v != "ignore") {
                    error = "--answer takes abort, retry or ignore";
                    return std::nullopt;
                }
                options.answer = *v;
            }
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (arg == "--progress") {
            options.progress = true;
        } else if (!arg.empty() && arg[0] == '-') {
            error = "unknown option " + std::string(arg);
            return std::nullopt;
        } else if (options.script.empty()) {
            options.script = std::string(arg);
        } else {
            error = "only one SCRIPT may be given";
            return std::nullopt;
        }
    }
    return options;
}

}  // namespace karvo::cli
