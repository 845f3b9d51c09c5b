#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace kv::tool {

// kvtool's standard output, every write checked: output that does not arrive
// (a full disk, a reader that went away) fails the command (exit 1) with the
// reason on stderr, instead of a success that wrote nothing.

// Once at start: a closed pipe becomes a write error (EPIPE) to report,
// instead of a silent death by SIGPIPE; SIGINT, SIGTERM and SIGHUP remove the
// temporary files of unfinished outputs before they end the program.
void prepareProcess();

// Writes the bytes to stdout (or out) and flushes them. False, with the
// reason on stderr (said once however often it fails), when they did not all
// go out.
bool writeOutput(std::string_view bytes, std::FILE* out = stdout);

// The exit status of a command that has returned `status`: stdout is flushed,
// and a command that succeeded fails after all when anything written to it
// was lost.
int finishOutput(int status);

// The refusal (exit 2, message on stderr) of an output file that would
// replace one of the command's inputs or a measurement data file; kExitOk
// when `output` may be written.
int refuseClashingOutput(const std::string& output, const std::vector<std::string>& inputs);

}  // namespace kv::tool
