#pragma once

#include <QIcon>

namespace kv {

// The pictures of the list window's tool bar buttons, drawn in code.
enum class ListPicture { Print, Maximum, Find, DataOrder, LargestFirst, SmallestFirst };

QIcon listIcon(ListPicture picture);

}  // namespace kv
