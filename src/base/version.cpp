#include "base/version.h"

namespace kv {

const char* programVersion() {
    return KV_VERSION;
}

}  // namespace kv
