#pragma once

namespace kv {

// The program's version as the build names it ("4.02"), for the files and
// logs that record which program wrote them.
const char* programVersion();

}  // namespace kv
