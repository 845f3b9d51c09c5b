#include "recorder/recorder_state.h"

namespace kv {

RecorderState& recorderState() {
    static RecorderState state;
    return state;
}

}  // namespace kv
