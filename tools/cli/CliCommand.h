#pragma once

#include <QStringList>

#include <functional>
#include <stdexcept>
#include <vector>

// A subcommand of kestrola-cli. Each lives in its own file and registers itself, so
// main() only parses the command word and dispatches.
struct CliCommand {
    const char* name;
    const char* usage;   // one line, after "kestrola-cli "
    const char* summary; // what the command prints, for --help
    // Gets the arguments after the command word; returns the exit status.
    std::function<int(const QStringList&)> run;
};

std::vector<CliCommand>& CliCommands();

struct CliCommandRegistrar {
    explicit CliCommandRegistrar(CliCommand command) {
        CliCommands().push_back(std::move(command));
    }
};

// Thrown by a command for a usage error: main prints the message on one line to stderr and
// exits 2 with nothing on stdout.
struct CliUsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};
