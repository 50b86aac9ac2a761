#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace karvo::cli {

class CliSession;

// Each subsystem's commands, registered with the session.
void RegisterAppCommands(CliSession& session);
void RegisterCatalogueCommands(CliSession& session);
void RegisterBufferCommands(CliSession& session);
void RegisterOperationCommands(CliSession& session);
void RegisterVirtualCommands(CliSession& session);
void RegisterOptionsCommands(CliSession& session);
void RegisterFileCommands(CliSession& session);
void RegisterConfigCommands(CliSession& session);
void RegisterFirmwareCommands(CliSession& session);
void RegisterEditCommands(CliSession& session);

// A hexadecimal number without prefix, as typed everywhere in this program.
std::optional<std::uint32_t> ParseHex(const std::string& text);
// Prints "karvo-cli: " + message to standard error.
void Complain(const std::string& message);

}  // namespace karvo::cli
