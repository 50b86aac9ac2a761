#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "operations/JobContext.h"

// The exchange patterns every family's jobs are made of: a command with its
// acceptance reply, then a stream of reports from the programmer (read,
// compare, blank check) or acknowledged 64-byte blocks to it (write). Every
// pattern works on the job's Cursor and moves its progress bar. A stream cut
// short (a difference, an Abort, an error) is drained to its end, so the next
// command starts on a quiet link.
namespace karvo {

// Sends the command and reads the acceptance reply; true when its first bytes
// are `acceptance`. A refusal is told and raises ErrorCount.
bool StartStream(JobContext& job, const std::string& command, const std::string& acceptance);
// The same with an acceptance of "G" and one letter of `letters`, as the PIC
// areas answer.
bool StartStream(JobContext& job, const std::string& command, char lead, const char* letters);

// Reads what is left of a stream of `length` bytes after `offset`, and drops it.
void Drain(JobContext& job, std::uint32_t offset, std::uint32_t length);

// Reads `length` bytes into the buffer at Cursor: whole reports, or only the
// area's own bytes when `onlyTheArea` (an area shorter than a report). Stops
// at an Abort or an error, and drains then. True when all was read.
bool ReadStream(JobContext& job, std::uint32_t length, bool onlyTheArea = false);

// Compares `length` bytes from the chip with the buffer at Cursor. At the
// first difference logs `compareLine` and the code-11 line, with Cursor on the
// byte; stops and drains then, or at an Abort. True when all was equal.
bool CompareStream(JobContext& job, std::uint32_t length, const std::string& compareLine);

// The 64-byte pattern a blank report reads: every byte `blank`, or pairs
// [`blank`, 0xFF] for word-organised chips.
using BlankPattern = std::array<std::uint8_t, kPayloadSize>;
BlankPattern BlankBytes(std::uint8_t blank, bool wordPairs);

// Checks that `length` bytes read as the blank pattern. At the first report
// that does not, logs the code-12 line; stops and drains then, or at an
// Abort. True when all was blank.
bool BlankStream(JobContext& job, std::uint32_t length, const BlankPattern& blank);

// Sends `length` bytes from the buffer at Cursor as 64-byte blocks, each
// acknowledged. Once started the whole area is written, Abort or not: a chip
// left half programmed is worse than a few more seconds. Only a dead link
// stops it. True when every block was acknowledged.
bool WriteBlocks(JobContext& job, std::uint32_t length);

}  // namespace karvo
