// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stop_token>

#include "cli/options.h"

// One function per subcommand of varnel-calc. Each returns the exit status and throws
// BadRequestError, IoError, OutputError or a CommandError for what ends it early. Every output
// is written whole or not at all, its writes checked.
namespace varnel {

inline constexpr int kExitResults = 0;
inline constexpr int kExitCheckFailed = 1;
inline constexpr int kExitError = 2;
inline constexpr int kExitWriteFailed = 3;
// Stopped by a signal; main makes it 128 + the signal that came.
inline constexpr int kExitInterrupted = 130;
inline constexpr int kExitBrokenPipe = 141;

int RunSingle(const CliOptions& options);
// Sweep and batch; `stop` ends them after the rows in hand.
int RunTable(const CliOptions& options, std::stop_token stop);
// Map and profile, as CSV or a picture.
int RunField(const CliOptions& options, std::stop_token stop);
int RunUniform(const CliOptions& options);
int RunCheck(const CliOptions& options);

}  // namespace varnel
