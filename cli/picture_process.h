// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "plot/picture_request.h"

namespace varnel {

// The bytes of the picture file the request describes, from the picture writer varnel-picture
// run as a child process: beside varnel-calc in the build folder, or where it is installed
// (libexec/varnel-coils). So only a picture loads Qt. Throws IoError when the writer cannot be
// run or fails, with its message.
std::string PictureFileBytes(const PictureRequest& request);

}  // namespace varnel
